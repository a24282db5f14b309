// The window as a user meets it: where each control sits, what it says, what
// is drawn, which timers run, where the focus goes, and how it closes.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/twips.h"

using namespace transistor;

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

    // What a tick leaves on the screen: the carrier drawn at its new place
    // and erased at its old one; the plot empty once a sweep has wrapped.
    void aChangeOfTheFormIsRepainted() {
        window->resize(window->maximumSize());
        Form &f = window->form();
        auto pixel = [&](int x, int y) { // twips; what the screen shows now
            QApplication::processEvents();
            const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
            return shown.pixelColor(x / 15, y / 15).rgb() & 0xFFFFFF;
        };
        f.vars.ElectronCount = 1;
        f.ctl.Shape1(1) = {2000, 1000};
        window->syncFromForm();
        QCOMPARE(pixel(2052, 1052), 0x000000u);
        f.ctl.Shape1(1) = {3000, 1000};
        window->syncFromForm();
        QCOMPARE(pixel(3052, 1052), 0x000000u);
        QVERIFY(pixel(2052, 1052) != 0x000000u);
        const QPoint plot = window->findChild<QWidget *>("Picture1")->pos() * 15;
        f.ctl.Picture1 = {{300, 300}};
        window->syncFromForm();
        QCOMPARE(pixel(plot.x() + 300, plot.y() + 300), 0x000000u);
        f.ctl.Picture1.clear();
        window->syncFromForm();
        QVERIFY(pixel(plot.x() + 300, plot.y() + 300) != 0x000000u);
    }

    // Painting only what changed leaves the same picture as painting it all:
    // no trail where a carrier was, no carrier, marker or point left out.
    void paintingTheChangesMatchesAFullPaint() {
        window->resize(window->maximumSize());
        Form &f = window->form();
        FixedSeedRandom rnd;
        Command1_Click(f, rnd);
        for (int tick = 0; tick < 300; ++tick) {
            Timer1_Timer(f, rnd);
            window->syncFromForm();
            QApplication::processEvents();
        }
        for (TimerProps *t : {&f.ctl.Timer1, &f.ctl.Timer2, &f.ctl.Timer3, &f.ctl.Timer4})
            t->Enabled = false;
        window->syncFromForm();
        QApplication::processEvents();
        const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
        const QImage full = window->grab().toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 full.convertToFormat(QImage::Format_RGB32));
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
        // A run-time error shows once, and again after a Start has cleared it.
        for (int round = 0; round < 2; ++round) {
            window->form().feedback.error = "Overflow";
            window->syncFromForm();
            QTRY_VERIFY(window->messageBox());
            window->messageBox()->close();
            QTRY_VERIFY(!window->messageBox());
            window->syncFromForm();
            QVERIFY(!window->messageBox());
            window->form().feedback.error.reset();
            window->syncFromForm();
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
