// The window as a screen-reader or keyboard-only user meets it: names, roles
// and captions of the controls, Enter in the input boxes, where the focus
// goes after a message, the window growing to show the lower strip, and the
// descriptions of the two drawings.
#include <QAccessible>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/message_text.h"
#include "view/twips.h"

using namespace transistor;

class WindowA11yTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;

    QAccessibleInterface *accessible(const QString &name) {
        QWidget *w = window->findChild<QWidget *>(name);
        return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    }
    QLineEdit *edit(const QString &name) { return window->findChild<QLineEdit *>(name); }
    void type(const QString &box, const QString &text) {
        QLineEdit *e = edit(box);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }

  private slots:
    void init() {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void everyControlHasItsNameAndRole_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("writtenByProgram");
        const int text = QAccessible::EditableText, button = QAccessible::Button;
        const struct {
            const char *control;
            int role;
            const char *name;
            bool written;
        } rows[] = {
            {"Text1", text, "Temperature (K)", false},
            {"Text2", text, "Emitter Fermi level (eV)", false},
            {"Text3", text, "Base Fermi level (eV)", false},
            {"Text9", text, "Collector Fermi level (eV)", false},
            {"Text4", text, "Emitter–base voltage VEB (V)", false},
            {"Text8", text, "Collector–base voltage VCB (V)", false},
            {"Text10", text, "Base current (mA)", true},
            {"Text7", text, "Collector current (mA)", true},
            {"Text5", text, "Number of electrons", true},
            {"Text6", text, "Number of holes", true},
            {"Text11", text, "Electrons in the emitter and the emitter–base junction", true},
            {"Text12", text, "Electrons in the collector", true},
            {"Text13", text, "Collector electron target", true},
            {"Command1", button, "Start", false},
            {"Command3", button, "Restart", false},
            {"Command2", button, "Close", false},
            {"Picture1", QAccessible::Chart, "Electron count over time", false},
            {"DiagramCanvas", QAccessible::Graphic, "Band diagram", false},
        };
        for (const auto &r : rows)
            QTest::newRow(r.control)
                << r.control << r.role << QString::fromUtf8(r.name) << r.written;
    }
    void everyControlHasItsNameAndRole() {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(bool, writtenByProgram);
        QAccessibleInterface *a = accessible(control);
        QVERIFY(a);
        QCOMPARE(int(a->role()), role);
        QCOMPARE(a->text(QAccessible::Name), name);
        const QString description = a->text(QAccessible::Description);
        QVERIFY(!description.isEmpty());
        QCOMPARE(description.startsWith(QStringLiteral("Written by the program")),
                 writtenByProgram);
    }

    // A caption of exactly one box labels it; the Fermi-level caption, over
    // three boxes, labels none.
    void aSingleCaptionLabelsItsBox() {
        int labelled = 0;
        for (const ControlDesign &d : WindowDescription()) {
            if (d.kind != ControlKind::TextBox) continue;
            const auto relations = accessible(ToQString(d.name))->relations(QAccessible::Label);
            QStringList captions;
            for (const auto &r : relations) captions << r.first->text(QAccessible::Name);
            QString expected;
            for (const ControlDesign &l : WindowDescription())
                if (l.buddy == d.name) expected = ToQString(l.caption);
            QCOMPARE(captions.join(u'|'), expected);
            labelled += !expected.isEmpty();
        }
        QCOMPARE(labelled, 7);
    }

    void enterInABoxAppliesTheInputs_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("collectorLeftX");
        QTest::addColumn<bool>("running");
        // Start before the first Start, Restart after it; readouts ignore Enter.
        QTest::newRow("VEB before Start starts") << false << "Text4"
                                                 << "0.3" << 6480 << true;
        QTest::newRow("VCB while running restarts") << true << "Text8"
                                                    << "0.5" << 5600 << true;
        QTest::newRow("temperature while running") << true << "Text1"
                                                   << "350" << 6400 << true;
        QTest::newRow("a readout does nothing") << false << "Text7"
                                                << "5" << 0 << false;
    }
    void enterInABoxAppliesTheInputs() {
        QFETCH(bool, started);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, collectorLeftX);
        QFETCH(bool, running);
        if (started) window->findChild<QPushButton *>("Command1")->click();
        const auto electrons = window->form().ctl.Shape1;
        type(box, typed);
        QTest::keyClick(edit(box), Qt::Key_Return);
        QCOMPARE(window->form().vars.CollectorLeftX.value(), collectorLeftX);
        QCOMPARE(window->findChild<QTimer *>("Timer1")->isActive(), running);
        // A Restart keeps the carriers where they are.
        if (started) QCOMPARE(window->form().ctl.Shape1, electrons);
        QCOMPARE(QApplication::focusWidget(), edit(box));
    }

    void afterAMessageTheFocusIsOnTheBoxAtFault_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("temperature empty") << "Text1"
                                           << "";
        QTest::newRow("collector level not a number") << "Text9"
                                                      << "x";
        QTest::newRow("VCB too large") << "Text8"
                                       << "1e400";
    }
    void afterAMessageTheFocusIsOnTheBoxAtFault() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        type(box, typed);
        auto *start = window->findChild<QPushButton *>("Command1");
        start->setFocus();
        start->click();
        QMessageBox *message = window->messageBox();
        QVERIFY(message);
        QVERIFY(message->text().contains(window->findChild<QWidget *>(box)->accessibleName()));
        message->accept();
        QTRY_COMPARE(QApplication::focusWidget(), edit(box));
        QCOMPARE(edit(box)->selectedText(), typed);
    }

    void theWindowGrowsWhenTheLowerStripTakesTheFocus_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("grows");
        QTest::newRow("temperature") << "Text1" << true;
        QTest::newRow("plot") << "Picture1" << true;
        QTest::newRow("collector target") << "Text13" << true;
        QTest::newRow("VCB, in view") << "Text8" << false;
    }
    void theWindowGrowsWhenTheLowerStripTakesTheFocus() {
        QFETCH(QString, control);
        QFETCH(bool, grows);
        QWidget *w = window->findChild<QWidget *>(control);
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(window->height(), grows ? ToPixels(Window().extentHeight, 1.0) : 510);
        QVERIFY(w->geometry().bottom() < window->height());
    }

    // The drawings are described at Start and at each readout, not at every
    // tick, and the count of pairs starts again at each description.
    void theDrawingsAreDescribedAtStartAndReadoutOnly() {
        QWidget *canvas = window->findChild<QWidget *>("DiagramCanvas");
        QWidget *plot = window->findChild<QWidget *>("Picture1");
        const QString atLoad = canvas->accessibleDescription();
        window->findChild<QPushButton *>("Command1")->click();
        const QString atStart = canvas->accessibleDescription();
        QVERIFY(atStart != atLoad);
        QVERIFY2(atStart.contains(QStringLiteral("Electrons in the emitter: 39,")),
                 qPrintable(atStart));
        QVERIFY(atStart.contains(QStringLiteral("0.20 eV")));
        QVERIFY(atStart.contains(QStringLiteral("2.00 eV")));
        QVERIFY(plot->accessibleDescription().contains(QStringLiteral("Electrons now: 81.")));
        auto *tick = window->findChild<QTimer *>("Timer1");
        for (int i = 0; i < 40; ++i) QMetaObject::invokeMethod(tick, "timeout");
        QCOMPARE(canvas->accessibleDescription(), atStart);
        QMetaObject::invokeMethod(window->findChild<QTimer *>("Timer2"), "timeout");
        QVERIFY(canvas->accessibleDescription() != atStart);
        QVERIFY(!canvas->accessibleDescription().contains(
            QStringLiteral("pairs generated: 0, recombined: 0")));
    }
};

QTEST_MAIN(WindowA11yTest)
#include "window_a11y_test.moc"
