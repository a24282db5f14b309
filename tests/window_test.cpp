// The window as a user meets it: where each control sits, what it says, what
// is drawn, which timers run, where the focus goes, and how it closes.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/twips.h"

using namespace transistor;

namespace {

QString NameOf(const ControlDesign &c) {
    return ToQString(c.name) + (c.index < 0 ? QString() : QStringLiteral("(%1)").arg(c.index));
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;

  private slots:
    void init() {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void opensAtClientSizeAndGrowsToFullExtent() {
        QCOMPARE(window->size(), QSize(661, 510));
        // Enlarging it brings the lower strip (9915 x 9615 twips) into view.
        window->resize(2000, 2000);
        QCOMPARE(window->size(), QSize(661, 641));
    }

    // Each control of the description: widgets where and as described, timers
    // as they start.
    void controlSitsAtItsPlace_data() {
        QTest::addColumn<int>("row");
        const auto &all = WindowDescription();
        for (int i = 0; i < static_cast<int>(all.size()); ++i)
            if (all[i].kind != ControlKind::Line && all[i].kind != ControlKind::Rectangle &&
                all[i].kind != ControlKind::Circle) // drawn by the canvas, not placed
                QTest::newRow(qPrintable(NameOf(all[i]))) << i;
    }
    void controlSitsAtItsPlace() {
        QFETCH(int, row);
        const ControlDesign &design = WindowDescription()[row];
        if (design.kind == ControlKind::Timer) { // interval and running state at load
            auto *t = window->findChild<QTimer *>(NameOf(design));
            QVERIFY(t);
            QCOMPARE(t->interval(), design.interval);
            QCOMPARE(t->isActive(), design.enabled);
            return;
        }
        QWidget *w = window->findChild<QWidget *>(NameOf(design));
        QVERIFY(w);
        QCOMPARE(w->geometry(),
                 QRect(design.left / 15, design.top / 15, design.width / 15, design.height / 15));
        // Label and button caption, or the default text of a box, verbatim.
        if (design.kind != ControlKind::PictureBox)
            QCOMPARE(w->property("text").toString(), ToQString(design.caption));
    }

    // Probes of the painted window at load: a band line where the description
    // puts it, and neither marker line shown.
    void drawsAtLoad_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Line1 conduction edge, black") << "Line1" << true;
        QTest::newRow("Line18 red marker hidden") << "Line18" << false;
        QTest::newRow("Line19 blue marker hidden") << "Line19" << false;
    }
    void drawsAtLoad() {
        QFETCH(QString, line);
        QFETCH(bool, shown);
        const ControlDesign &design = FindControl(line.toStdString());
        const QPoint mid((design.x1 + design.x2) / 30, (design.y1 + design.y2) / 30);
        const QColor actual = window->grab().toImage().pixelColor(mid);
        QVERIFY2((actual.rgb() == (0xFF000000 | design.color)) == shown, qPrintable(actual.name()));
    }

    void tabVisitsTheBoxesInDescribedOrderFromStart() {
        const QStringList expected = {"Command1", "Command2", "Text1",   "Text2",    "Text3",
                                      "Text4",    "Text6",    "Text7",   "Picture1", "Text5",
                                      "Command3", "Text8",    "Text9",   "Text10",   "Text11",
                                      "Text12",   "Text13",   "Command1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void enterOnTheFocusedStartStartsTheAnimation() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->findChild<QTimer *>("Timer1")->isActive());
    }

    void typingWritesTheFormAndSyncKeepsTheCursor() {
        auto *edit = window->findChild<QLineEdit *>("Text1");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "350");
        QCOMPARE(window->form().ctl.Text1, std::string("350"));
        edit->setCursorPosition(1);
        window->syncFromForm();
        QCOMPARE(edit->cursorPosition(), 1);
    }

    void aMessageIsShownOncePerNewMessage() {
        for (int round = 0; round < 2; ++round) {
            window->form().showMessage("Invalid temperature");
            window->syncFromForm();
            QMessageBox *box = window->messageBox();
            QVERIFY(box && box->isVisible());
            QCOMPARE(box->text(), QStringLiteral("Invalid temperature"));
            box->close();
            QTRY_VERIFY(!window->messageBox());
            window->syncFromForm();
            QVERIFY(!window->messageBox());
        }
    }

    void closeEndsEverything_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Close button") << true;
        QTest::newRow("window frame") << false;
    }
    void closeEndsEverything() {
        QFETCH(bool, byButton);
        if (byButton)
            QTest::mouseClick(window->findChild<QPushButton *>("Command2"), Qt::LeftButton);
        else
            window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->form().feedback.closed, byButton);
        for (QTimer *t : window->findChildren<QTimer *>())
            QVERIFY2(!t->isActive(), qPrintable(t->objectName()));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
