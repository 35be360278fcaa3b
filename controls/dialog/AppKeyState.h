#pragma once

#include <QObject>
#include <unordered_map>

namespace ostrevo
{

// The keys held in this application, by platform key code, and how often
// each went down. Buttons that act on keys pressed anywhere read this, never
// the keyboard of the whole desktop: keys typed into other programs are not
// ours. Watches the application's key events from its first use on.
class AppKeyState : public QObject
{
    Q_OBJECT
public:
    static AppKeyState &instance();

    bool isDown(int keyCode) const;
    // Counts presses, not the repeats of a held key.
    quint64 pressCount(int keyCode) const;
    // Forgets every held key (the application lost the keyboard).
    void releaseAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppKeyState();
    void keyDown(int keyCode);
    void keyUp(int keyCode);

    struct Key {
        bool down = false;
        quint64 presses = 0;
    };
    std::unordered_map<int, Key> m_keys;
};

} // namespace ostrevo
