#include "diary/forms/FormResizer.h"
#include "diary/forms/WidgetForm.h"
#include "platform/runtime/Form.h"
#include "tests/support/TestMain.h"

#include <QLabel>
#include <map>

using kalvento::FormResizer;
using kalvento::ResizableControl;
using Prop = ResizableControl::Prop;

namespace
{

// A control that keeps exact values, so the arithmetic is seen unrounded.
// Absent properties and refused moves behave as on the platform.
class FakeControl : public ResizableControl
{
public:
    FakeControl(QString name, std::optional<int32_t> index, std::map<Prop, double> values, bool line = false)
        : m_name(std::move(name)), m_index(index), m_values(std::move(values)), m_line(line)
    {
    }
    QString name() const override { return m_name; }
    std::optional<int32_t> index() const override { return m_index; }
    bool isLine() const override { return m_line; }
    std::optional<double> value(Prop prop) const override
    {
        const auto found = m_values.find(prop);
        return found == m_values.end() ? std::nullopt : std::optional<double>(found->second);
    }
    bool setValue(Prop prop, double value) override
    {
        if (!m_values.count(prop))
            return false;
        m_values[prop] = value;
        return true;
    }
    bool move(double left, double top, std::optional<double> width, std::optional<double> height) override
    {
        ++moves;
        if (m_line || (height && fixedHeight))
            return false;
        m_values[Prop::Left] = left;
        m_values[Prop::Top] = top;
        if (width)
            m_values[Prop::Width] = *width;
        if (height)
            m_values[Prop::Height] = *height;
        return true;
    }
    bool setIntegralHeight(bool) override { return false; }

    double operator[](Prop prop) const { return m_values.at(prop); }
    void set(Prop prop, double value) { m_values[prop] = value; }
    bool fixedHeight = false;
    int moves = 0;

private:
    QString m_name;
    std::optional<int32_t> m_index;
    std::map<Prop, double> m_values;
    bool m_line;
};

class FakeForm : public kalvento::ResizableForm
{
public:
    FakeForm(QString name, double width, double height)
        : m_name(std::move(name)), width(width), height(height)
    {
    }
    QString name() const override { return m_name; }
    double top() const override { return topValue; }
    double scaleWidth() const override { return width; }
    double scaleHeight() const override { return height; }
    bool visible() const override { return shown; }
    void setVisible(bool visible) override { shown = visible; }
    std::vector<ResizableControl *> controls() override
    {
        std::vector<ResizableControl *> all;
        for (auto &c : items)
            all.push_back(c.get());
        if (onControls)
            onControls();
        return all;
    }
    FakeControl &add(QString name, std::optional<int32_t> index, std::map<Prop, double> values,
                     bool line = false)
    {
        items.push_back(std::make_unique<FakeControl>(std::move(name), index, std::move(values), line));
        return *items.back();
    }

    QString m_name;
    double width, height, topValue = 0;
    bool shown = true;
    std::vector<std::unique_ptr<FakeControl>> items;
    std::function<void()> onControls;
};

std::map<Prop, double> box(double l, double t, double w, double h)
{
    return {{Prop::Left, l}, {Prop::Top, t}, {Prop::Width, w}, {Prop::Height, h}};
}

} // namespace

class TestFormResizer : public QObject
{
    Q_OBJECT
private slots:
    void scalesByWholePercentsFromTheFirstLayout()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 9000, 6000);
        FakeControl &c = form.add(QStringLiteral("List"), std::nullopt, box(250, 333, 1001, 999));
        resizer.ResizeForm(form); // records, moves nothing
        QCOMPARE(c[Prop::Left], 250.0);
        QCOMPARE(resizer.FormCount(), 1);
        QCOMPARE(resizer.ControlCount(), 1);

        form.width = 9100;  // 1.1 % wider: 101 %
        form.height = 5990; // 99.83 %: 99 %
        resizer.ResizeForm(form);
        QCOMPARE(c[Prop::Left], 252.0);   // 25250 / 100
        QCOMPARE(c[Prop::Width], 1011.0); // 101101 / 100, truncated
        QCOMPARE(c[Prop::Top], 329.0);    // 32967 / 100
        QCOMPARE(c[Prop::Height], 989.0);

        form.width = 4500;
        form.height = 3000;
        resizer.ResizeForm(form);
        QCOMPARE(c[Prop::Left], 125.0);
        QCOMPARE(c[Prop::Width], 500.0);

        // Back to the first size: exactly the first layout, no drift.
        form.width = 9000;
        form.height = 6000;
        resizer.ResizeForm(form);
        QCOMPARE(c[Prop::Left], 250.0);
        QCOMPARE(c[Prop::Top], 333.0);
        QCOMPARE(c[Prop::Width], 1001.0);
        QCOMPARE(c[Prop::Height], 999.0);
        QCOMPARE(resizer.FormCount(), 1);
        QCOMPARE(resizer.ControlCount(), 1);
    }

    void parkedControlsKeepTheirOffset()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 1000, 1000);
        FakeControl &parked = form.add(QStringLiteral("A"), std::nullopt, box(-73500, 100, 400, 400));
        resizer.ResizeForm(form);
        QCOMPARE(resizer.ControlRecords()[0].Left, 1500);
        QCOMPARE(parked[Prop::Left], -73500.0);
        form.width = 2000;
        resizer.ResizeForm(form);
        QCOMPARE(parked[Prop::Left], 3000.0 - 75000);
        // Back in view: the scaled value without the offset.
        parked.set(Prop::Left, 10);
        resizer.ResizeForm(form);
        QCOMPARE(parked[Prop::Left], 3000.0);
    }

    void linesScaleThroughTheirEndPoints()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 1000, 1000);
        FakeControl &line =
            form.add(QStringLiteral("Line1"), std::nullopt,
                     {{Prop::X1, 100}, {Prop::Y1, 200}, {Prop::X2, -74000}, {Prop::Y2, 400}}, true);
        resizer.ResizeForm(form);
        QCOMPARE(resizer.ControlRecords()[0].Width, 1000);
        form.width = 1500;
        form.height = 500;
        resizer.ResizeForm(form);
        QCOMPARE(line[Prop::X1], 150.0);
        QCOMPARE(line[Prop::Y1], 100.0);
        QCOMPARE(line[Prop::X2], 1500.0 - 75000);
        QCOMPARE(line[Prop::Y2], 200.0);
        QCOMPARE(line.moves, 0);
    }

    void controlArraysAreToldApartByIndex()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 1000, 1000);
        FakeControl &first = form.add(QStringLiteral("Box"), 0, box(100, 0, 100, 100));
        FakeControl &second = form.add(QStringLiteral("Box"), 1, box(500, 0, 100, 100));
        resizer.ResizeForm(form);
        QCOMPARE(resizer.ControlCount(), 2);
        form.width = 2000;
        resizer.ResizeForm(form);
        QCOMPARE(first[Prop::Left], 200.0);
        QCOMPARE(second[Prop::Left], 1000.0);
    }

    void sameNamesOnTwoFormsAreKeptApart()
    {
        FormResizer resizer;
        FakeForm a(QStringLiteral("A"), 1000, 1000);
        FakeForm b(QStringLiteral("B"), 2000, 2000);
        FakeControl &onA = a.add(QStringLiteral("X"), std::nullopt, box(100, 100, 100, 100));
        FakeControl &onB = b.add(QStringLiteral("X"), std::nullopt, box(300, 300, 100, 100));
        resizer.ResizeForm(a);
        resizer.ResizeForm(b);
        b.width = 4000;
        resizer.ResizeForm(b);
        QCOMPARE(onB[Prop::Left], 600.0);
        QCOMPARE(onA[Prop::Left], 100.0);
    }

    void aRefusedHeightStillMovesTheRest()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 1000, 1000);
        FakeControl &combo = form.add(QStringLiteral("Combo"), std::nullopt, box(100, 100, 300, 300));
        combo.fixedHeight = true;
        resizer.ResizeForm(form);
        form.width = 2000;
        form.height = 2000;
        resizer.ResizeForm(form);
        QCOMPARE(combo[Prop::Left], 200.0);
        QCOMPARE(combo[Prop::Width], 600.0);
        QCOMPARE(combo[Prop::Height], 300.0);
    }

    void formsThatCannotBeAReferenceAreLeftAlone()
    {
        FormResizer resizer;
        FakeForm parkedForm(QStringLiteral("P"), 1000, 1000);
        parkedForm.topValue = 30000;
        parkedForm.add(QStringLiteral("X"), std::nullopt, box(1, 1, 1, 1));
        resizer.ResizeForm(parkedForm);
        QCOMPARE(resizer.FormCount(), 0);

        // Minimised to nothing: no record until there is a size to scale by.
        FakeForm empty(QStringLiteral("E"), 0, 800);
        FakeControl &c = empty.add(QStringLiteral("X"), std::nullopt, box(100, 100, 100, 100));
        resizer.ResizeForm(empty);
        QCOMPARE(resizer.FormCount(), 0);
        empty.width = 1000;
        resizer.ResizeForm(empty);
        QCOMPARE(resizer.FormCount(), 1);
        empty.width = 2000;
        resizer.ResizeForm(empty);
        QCOMPARE(c[Prop::Left], 200.0);
    }

    void aResizeDuringAResizeChangesNothing()
    {
        FormResizer resizer;
        FakeForm form(QStringLiteral("F"), 1000, 1000);
        FakeControl &c = form.add(QStringLiteral("X"), std::nullopt, box(100, 100, 100, 100));
        resizer.ResizeForm(form);
        int nested = 0;
        form.onControls = [&] {
            if (nested++ > 0)
                return;
            form.width = 5000; // a nested call would scale by 500 %
            resizer.ResizeForm(form);
        };
        form.width = 2000;
        resizer.ResizeForm(form);
        QCOMPARE(nested, 1);
        // The outer call read the width again after the nested one returned.
        QCOMPARE(c[Prop::Left], 500.0);
        QCOMPARE(c.moves, 6);
    }

    void widgetsOnARealFormReturnToTheirPlaces()
    {
        FormResizer &resizer = FormResizer::instance();
        QPointer<rt::Form> form = rt::Form::create<rt::Form>();
        form->setObjectName(QStringLiteral("FrmTest"));
        auto *label = new QLabel(form);
        label->setObjectName(QStringLiteral("Label1"));
        form->placeControl(label, QStringLiteral("Label1"), QRect(1500, 750, 3000, 450));
        auto *unnamed = new QLabel(form); // no name: not a control of the form
        unnamed->setGeometry(1, 1, 5, 5);
        form->resize(600, 400);
        form->show();
        kalvento::ResizeForm(*form);
        form->resize(1200, 800);
        kalvento::ResizeForm(*form);
        QCOMPARE(label->geometry(), QRect(200, 100, 400, 60));
        QCOMPARE(unnamed->geometry(), QRect(1, 1, 5, 5));
        form->resize(777, 333);
        kalvento::ResizeForm(*form);
        form->resize(600, 400);
        kalvento::ResizeForm(*form);
        QCOMPARE(label->geometry(), QRect(100, 50, 200, 30));
        QVERIFY(form->isVisible());
        form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(resizer.FormCount(), 1);
    }
};

KV_TEST_MAIN(TestFormResizer)
#include "tst_FormResizer.moc"
