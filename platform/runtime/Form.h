#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <utility>

class QAbstractButton;
class QEventLoop;

namespace rt
{

// How an unload was asked for, as QueryUnload receives it.
enum class UnloadMode : int { ControlMenu = 0, Code = 1 };

// The base of every form: a top-level window that is loaded, shown modally or
// modelessly and unloaded as on the platform. A form belongs to itself: make
// it with create() and keep only QPointers to it; unload() deletes it once
// control returns to the event loop, never inside its own handler.
class Form : public QWidget
{
    Q_OBJECT
public:
    Form();
    ~Form() override;

    template <class F, class... Args> static QPointer<F> create(Args &&...args)
    {
        // Owned by itself from here on: unload() ends it with deleteLater.
        return QPointer<F>(new F(std::forward<Args>(args)...));
    }

    // Runs onLoad() the first time; later calls do nothing. An unloaded form
    // stays unloaded: make a new one instead.
    void load();
    // Asks onQueryUnload and onUnload, either of which may cancel (false is
    // returned); otherwise hides the form, ends its modal wait, marks it
    // unloaded and deletes it later.
    bool unload(UnloadMode mode = UnloadMode::Code);
    bool isLoaded() const { return m_state == State::Loaded; }

    // Loads if needed, shows application-modal and returns once the form is
    // hidden or unloaded. Raises error 400 when the form is already shown.
    void showModal();
    void showModeless();

    // Loaded forms in load order; the innermost modal form still waiting.
    static QList<Form *> loadedForms();
    static Form *activeModalForm();

    // Called once control is back in the event loop after the last loaded
    // form went away, unless a new one was loaded meanwhile: a program ends
    // with its last window. Empty (the default) does nothing.
    static void setWhenAllUnloaded(std::function<void()> handler);

    // Design-time layout in twips. The widget is positioned in pixels at once;
    // one without a parent becomes the form's child. Names ignore case.
    void placeControl(QWidget *widget, const QString &name, const QRect &twipsRect);
    QWidget *controlNamed(const QString &name) const;
    std::optional<QRect> designRectTwips(const QString &name) const;

    // The window's outer size in twips (the frame counts where the window
    // system reports one) and its inner drawing area (ScaleWidth, ScaleHeight).
    void setSizeTwips(int width, int height);
    int widthTwips() const;
    int heightTwips() const;
    int scaleWidth() const;
    int scaleHeight() const;

    // As in a dialog: Return clicks the default button, or the push button
    // that has the focus, and Escape the cancel button, unless the control
    // with the focus takes the key itself (a multi-line text). A key held
    // down acts once. Either button may be none.
    void setDefaultButton(QAbstractButton *button);
    void setCancelButton(QAbstractButton *button);

    void setVisible(bool visible) override;

protected:
    virtual void onLoad() {}
    virtual void onQueryUnload(bool &cancel, UnloadMode mode)
    {
        Q_UNUSED(cancel);
        Q_UNUSED(mode);
    }
    virtual void onUnload(bool &cancel) { Q_UNUSED(cancel); }

    // The close box takes the unload path (and may be cancelled there).
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class State { NotLoaded, Loaded, Unloaded };

    struct PlacedControl {
        QPointer<QWidget> widget;
        QRect twips;
    };

    void endModalWait();
    // A form that sets no position of its own opens centred over the window
    // that opens it, or over the screen when there is none.
    void placeIfUnpositioned();
    static void noticeGone();

    State m_state = State::NotLoaded;
    bool m_unloading = false;
    QEventLoop *m_modalLoop = nullptr; // lives on showModal()'s stack
    std::map<QString, PlacedControl> m_controls;
    QPointer<QAbstractButton> m_defaultButton;
    QPointer<QAbstractButton> m_cancelButton;
};

} // namespace rt
