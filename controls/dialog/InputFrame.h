#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ostrevo
{

class FlatButton;

// The input box's frame of the message form with its controls at their
// design places; input_box lays it out and the form handles its events.
class InputFrame : public QWidget
{
    Q_OBJECT
public:
    explicit InputFrame(QWidget *parent);

    QLabel *iPic() const { return m_iPic; }
    QLabel *iTitle() const { return m_iTitle; }
    QLabel *iMsg() const { return m_iMsg; }
    QLineEdit *iTxt() const { return m_iTxt; }
    QCheckBox *Check2() const { return m_check2; }
    FlatButton *iCmd(int index) const { return m_iCmd.at(static_cast<size_t>(index)); }

private:
    QLabel *m_iPic = nullptr;
    QLabel *m_iTitle = nullptr;
    QLabel *m_iMsg = nullptr;
    QLineEdit *m_iTxt = nullptr;
    QCheckBox *m_check2 = nullptr;
    std::array<FlatButton *, 2> m_iCmd{};
};

} // namespace ostrevo
