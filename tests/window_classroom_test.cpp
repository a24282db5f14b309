// The classroom controls at the window: pause and resume, single step, zoom,
// the copy of the picture and the context menu, driven by their keys.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/window_description.h"
#include "view/classroom_actions.h"
#include "view/main_window.h"
#include "view/plot_box.h"
#include "view/simulation_clock.h"
#include "view/twips.h"

using namespace transistor;

class ClassroomTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;

    QTimer *timer(const char *name) const { return window->findChild<QTimer *>(name); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(name); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    void start() {
        QTest::mouseClick(window->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    }
    bool paused() const { return window->clock().isPaused(); }

  private slots:
    void init() {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void pauseFreezesAllFourTimersAndResumeGoesOnFromTheirRest() {
        start();
        window->form().ctl.Timer3.Enabled = true;
        window->form().ctl.Timer4.Enabled = true;
        window->syncFromForm();
        QTest::qWait(20);
        const QStringList names = {"Timer1", "Timer2", "Timer3", "Timer4"};

        key(Qt::Key_F5);
        QVERIFY(paused());
        QMap<QString, int> rest;
        for (const QString &name : names) {
            QTimer *t = timer(qPrintable(name));
            QVERIFY2(!t->isActive(), qPrintable(name));
            rest[name] = window->clock().frozenRemaining(t);
            // A coarse timer may run up to 5 % late.
            QVERIFY2(rest[name] >= 0 && rest[name] <= t->interval() * 21 / 20, qPrintable(name));
        }
        QVERIFY(window->findChild<QLabel *>("PausedSign")->isVisible());
        QVERIFY(window->accessibleDescription().contains("paused"));
        QCOMPARE(action("PauseAction")->text(), QStringLiteral("&Resume"));
        // Nothing moves while paused.
        const Form frozen = window->form();
        QTest::qWait(150);
        QVERIFY(SameSimulation(window->form(), frozen));

        key(Qt::Key_Pause);
        QVERIFY(!paused());
        for (const QString &name : names) {
            QTimer *t = timer(qPrintable(name));
            QVERIFY2(t->isActive(), qPrintable(name));
            QVERIFY2(std::abs(t->remainingTime() - rest[name]) <= 50, qPrintable(name));
        }
        QVERIFY(!window->findChild<QLabel *>("PausedSign")->isVisible());
        QVERIFY(!window->accessibleDescription().contains("paused"));
        // After its rest the tick returns to its own 50 ms.
        QTRY_COMPARE(timer("Timer1")->interval(), 50);
    }

    void aTimerStoppedDuringItsRestRestartsAtItsOwnInterval() {
        QTest::qWait(20);
        key(Qt::Key_F5);
        key(Qt::Key_F5);
        QCOMPARE(timer("Timer2")->timerType(), Qt::PreciseTimer); // running out its rest
        window->form().ctl.Timer2.Enabled = false;
        window->syncFromForm();
        window->form().ctl.Timer2.Enabled = true;
        window->syncFromForm();
        QCOMPARE(timer("Timer2")->interval(), 10000);
        QCOMPARE(timer("Timer2")->timerType(), Qt::CoarseTimer);
    }

    void startEndsThePauseAndRestartKeepsIt_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("stillPaused");
        QTest::newRow("Start runs the animation") << "Command1" << false;
        QTest::newRow("Restart lays out, still paused") << "Command3" << true;
    }
    void startEndsThePauseAndRestartKeepsIt() {
        QFETCH(QString, button);
        QFETCH(bool, stillPaused);
        start();
        key(Qt::Key_F5);
        QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(paused(), stillPaused);
        QCOMPARE(timer("Timer1")->isActive(), !stillPaused);
        QCOMPARE(timer("Timer2")->isActive(), !stillPaused);
    }

    // Each F6 is the core's own tick on the same state and random sequence.
    void stepIsExactlyOneTickOfTheCore() {
        start();
        const std::size_t points = window->form().ctl.Picture1.size();
        for (int i = 0; i < 10; ++i) {
            Form expected = window->form();
            FixedSeedRandom random = window->random();
            Timer1_Timer(expected, random);
            key(Qt::Key_F6);
            QVERIFY(paused());
            QVERIFY(SameSimulation(window->form(), expected));
            QCOMPARE(window->form().feedback, expected.feedback);
        }
        QCOMPARE(window->form().ctl.Picture1.size(), points + 10);
        QVERIFY(!timer("Timer1")->isActive());
        QVERIFY(!timer("Timer2")->isActive());
    }

    void stepBeforeStartDoesNothing() {
        const Form before = window->form();
        key(Qt::Key_F6);
        QVERIFY(SameSimulation(window->form(), before));
        QVERIFY(!paused());
    }

    // A marker shown by a step clears after its 200 ms, while the tick and
    // the readout stay frozen.
    void aMarkerFlashedByAStepClearsWhilePaused() {
        start();
        for (int i = 0; i < 2000 && !window->form().ctl.Line18.Visible; ++i) key(Qt::Key_F6);
        QVERIFY(window->form().ctl.Line18.Visible);
        QTRY_VERIFY(!window->form().ctl.Line18.Visible);
        QVERIFY(paused());
        QVERIFY(!timer("Timer1")->isActive());
        QVERIFY(!timer("Timer2")->isActive());
    }

    void theMenuShowsTheActionsWithTheirKeys() {
        // Right click on the plot; the request goes up to the window.
        auto *plot = window->findChild<PlotBox *>("Picture1");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                plot->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(plot, &click);
        QMenu *menu = window->classroom().menu();
        QVERIFY(menu->isVisible());
        QStringList shown;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                shown << a->text() + " " + a->shortcut().toString(QKeySequence::PortableText);
        const QStringList expected = {"&Pause F5",           "&Step one tick F6",
                                      "Zoom &in Ctrl++",     "Zoom &out Ctrl+-",
                                      "&Actual size Ctrl+0", "&Copy picture Ctrl+Shift+C"};
        QCOMPARE(shown, expected);
        for (QAction *a : menu->actions())
            QVERIFY(a->isSeparator() || a->isShortcutVisibleInContextMenu());
        menu->hide();

        // Shift+F10 from the focused button opens it too; in a text box the
        // box keeps its own menu.
        key(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu->isVisible());
        menu->hide();
        window->findChild<QLineEdit *>("Text2")->setFocus();
        key(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!menu->isVisible());
        QTRY_VERIFY(QApplication::activePopupWidget());
        QApplication::activePopupWidget()->close();
    }

    void copyPutsTheVisibleFormOnTheClipboard_data() {
        QTest::addColumn<int>("zoomSteps");
        QTest::addColumn<QSize>("size");
        QTest::newRow("actual size") << 0 << QSize(661, 510);
        QTest::newRow("200 %") << 4 << QSize(1322, 1020);
    }
    void copyPutsTheVisibleFormOnTheClipboard() {
        QFETCH(int, zoomSteps);
        QFETCH(QSize, size);
        for (int i = 0; i < zoomSteps; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
        QApplication::clipboard()->clear();
        key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QImage image = QApplication::clipboard()->image();
        QCOMPARE(image.size(), size * window->devicePixelRatio());
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
        // Line1, the emitter's conduction edge, at its place at this zoom.
        const ControlDesign &line = FindControl("Line1");
        const double z = window->zoom();
        QCOMPARE(image.pixelColor(ToPixels((line.x1 + line.x2) / 2, z), ToPixels(line.y1, z)),
                 QColor(Qt::black));
    }

    void typingAndTheFocusedButtonWorkAsBefore() {
        // The keys of the zoom without Ctrl are text.
        auto *edit = window->findChild<QLineEdit *>("Text11");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "+=-0");
        QCOMPARE(window->form().ctl.Text11, std::string("+=-0"));
        QCOMPARE(window->zoom(), 1.0);
        auto *start = window->findChild<QPushButton *>("Command1");
        start->setFocus();
        key(Qt::Key_Space);
        QVERIFY(timer("Timer1")->isActive());
        QVERIFY(!paused());
    }

    void zoomSteps_data() {
        QTest::addColumn<QList<int>>("keys"); // Ctrl with each key; 1/-1 a wheel notch
        QTest::addColumn<double>("zoom");
        QTest::newRow("Ctrl++") << QList<int>{Qt::Key_Plus} << 1.25;
        QTest::newRow("Ctrl+= twice") << QList<int>{Qt::Key_Equal, Qt::Key_Equal} << 1.5;
        QTest::newRow("no further than 300 %") << QList<int>(10, Qt::Key_Plus) << 3.0;
        QTest::newRow("Ctrl+- after three")
            << QList<int>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus} << 1.5;
        QTest::newRow("no smaller than 100 %") << QList<int>{Qt::Key_Minus} << 1.0;
        QTest::newRow("Ctrl+0") << QList<int>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_0} << 1.0;
        QTest::newRow("Ctrl+wheel") << QList<int>{1, 1, 1, -1} << 1.5;
    }
    void zoomSteps() {
        QFETCH(QList<int>, keys);
        QFETCH(double, zoom);
        // Small enough that every zoom fits the screen.
        window->resize(200, 150);
        for (int k : keys) {
            if (k == 1 || k == -1) {
                const QPoint at(100, 100);
                QWheelEvent wheel(at, window->mapToGlobal(at), {}, {0, 120 * k}, Qt::NoButton,
                                  Qt::ControlModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(window.get(), &wheel);
            } else {
                key(k, Qt::ControlModifier);
            }
        }
        QCOMPARE(window->zoom(), zoom);
        QCOMPARE(window->size(), QSize(qRound(200 * zoom), qRound(150 * zoom)));
        const ControlDesign &box = FindControl("Text4");
        QCOMPARE(window->findChild<QWidget *>("Text4")->geometry(),
                 QRect(qRound(box.left * zoom / 15), qRound(box.top * zoom / 15),
                       qRound(box.width * zoom / 15), qRound(box.height * zoom / 15)));
    }

    // Larger than the screen allows, the window stops at the screen.
    void zoomStopsAtTheScreen() {
        for (int i = 0; i < 8; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
        const QSize frame = window->frameSize() - window->size();
        const QSize screen = window->screen()->availableGeometry().size() - frame;
        QCOMPARE(window->size(), QSize(1983, 1530).boundedTo(screen));
    }
};

QTEST_MAIN(ClassroomTest)
#include "window_classroom_test.moc"
