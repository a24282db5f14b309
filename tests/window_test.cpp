// The window as a user meets it: what is drawn after a tick, names, roles and
// the keyboard path, Enter in the boxes, messages and the focus after them,
// the growing window, pause, step, zoom, the copy and the context menu.
#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "app/classroom.h"
#include "app/window_description.h"
#include "view/classroom_actions.h"
#include "view/diagram_canvas.h"
#include "view/main_window.h"
#include "view/readouts_dialog.h"
#include "view/twips.h"

using namespace transistor;

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;

    template <class T = QWidget> T *child(const QString &name) const {
        return window->findChild<T *>(name);
    }
    // Whether the program's timer runs and is not frozen by a pause.
    bool runs(const char *name) const {
        const Clock::Timer &t = window->program().clock().timer(name);
        return t.running && !t.frozenLeft;
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    void type(const QString &box, const QString &text) {
        child<QLineEdit>(box)->setFocus();
        child<QLineEdit>(box)->selectAll();
        key(Qt::Key_Delete);
        QTest::keyClicks(child(box), text);
    }
    void start() { child<QPushButton>("Command1")->click(); }
    bool paused() const { return window->program().paused(); }
    bool ticking() const { return runs("Timer1") && runs("Timer2"); }
    void checkClosed(bool byButton) {
        QVERIFY(!window->isVisible());
        QCOMPARE(window->form().feedback.closed, byButton);
        for (QTimer *t : window->findChildren<QTimer *>()) QVERIFY(!t->isActive());
    }
    QRgb shown(int x, int y) { // twips; what the screen shows now
        QApplication::processEvents();
        const QImage image = window->screen()->grabWindow(window->winId()).toImage();
        return image.pixelColor(x / 15, y / 15).rgb() & 0xFFFFFF;
    }

  private slots:
    void init() { // also a fresh window for each row of a table
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // The Readouts view, by F8 or from the menu: beside the window, not
    // modal; its table has a header per column and sets the readouts that are
    // not whole apart; Copy and Save give the table and the file.
    void theReadoutsViewShowsEveryReadout_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("F8") << true;
        QTest::newRow("menu") << false;
    }
    void theReadoutsViewShowsEveryReadout() {
        QFETCH(bool, byKey);
        Program &p = window->program();
        const Millis t = p.clock().now();
        p.press(*FindButton("Start"), t);
        p.runUntil(t + 30000);
        window->syncFromForm();
        if (byKey)
            key(Qt::Key_F8);
        else
            child<QAction>("ReadoutsAction")->trigger();
        ReadoutsDialog *view = window->readouts();
        QVERIFY(view && view->isVisible() && !view->isModal());
        auto *table = view->findChild<QTableWidget *>("ReadoutsTable");
        QCOMPARE(table->columnCount(), 14);
        QCOMPARE(table->horizontalHeaderItem(3)->text(), u"collector readout"_qs);
        QCOMPARE(table->rowCount(), 3);
        // The first readout counts the Start: not whole, set apart.
        QCOMPARE(table->item(0, 13)->text(), u"no"_qs);
        QVERIFY(table->item(0, 3)->font().italic());
        QVERIFY(!table->item(2, 3)->font().italic());
        // A readout while it is open comes in at once.
        p.runUntil(p.clock().now() + 10000);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(view->findChild<QTableWidget *>("ReadoutsSummary")->rowCount(), 1);
        QVERIFY(view->findChild<QWidget *>("ReadoutsChart")
                    ->accessibleDescription()
                    .contains(u"Setting 1"_qs));
        view->findChild<QPushButton *>("ReadoutsCopy")->click();
        const QStringList copied =
            QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 5);
        QCOMPARE(copied[0].split(u'\t').size(), 14);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"r.csv"_qs);
        QVERIFY(view->saveTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        QVERIFY(csv.startsWith("\xEF\xBB\xBFreadout,time (s),"));
        QCOMPARE(csv.count('\n'), 5);
        view->close();
        QVERIFY(!view->isVisible());
    }

    // A tick's carrier drawn at its new place and erased at its old one; the
    // plot empty once a sweep has wrapped; neither marker shown at load.
    void aChangeOfTheFormIsRepainted() {
        window->resize(window->maximumSize());
        for (const char *marker : {"Line18", "Line19"}) {
            const ControlDesign &d = FindControl(marker);
            QVERIFY(shown((d.x1 + d.x2) / 2, (d.y1 + d.y2) / 2) != d.color);
        }
        Form &f = window->form();
        f.vars.ElectronCount = 1;
        f.ctl.Shape1(1) = {2000, 1000};
        window->syncFromForm();
        QCOMPARE(shown(2052, 1052), 0u);
        f.ctl.Shape1(1) = {3000, 1000};
        window->syncFromForm();
        QCOMPARE(shown(3052, 1052), 0u);
        QVERIFY(shown(2052, 1052) != 0u);
        const QPoint plot = child("Picture1")->pos() * 15 + QPoint(300, 300);
        f.ctl.Picture1 = {{300, 300}};
        window->syncFromForm();
        QCOMPARE(shown(plot.x(), plot.y()), 0u);
        f.ctl.Picture1.clear();
        window->syncFromForm();
        QVERIFY(shown(plot.x(), plot.y()) != 0u);
    }

    // No trail where a carrier was, no carrier, marker or point left out.
    void paintingTheChangesMatchesAFullPaint() {
        window->resize(window->maximumSize());
        FixedSeedRandom rnd;
        Command1_Click(window->form(), rnd);
        for (int tick = 0; tick < 300; ++tick) {
            Timer1_Timer(window->form(), rnd);
            window->syncFromForm();
            QApplication::processEvents();
        }
        Controls &c = window->form().ctl;
        for (TimerProps *t : {&c.Timer1, &c.Timer2, &c.Timer3, &c.Timer4}) t->Enabled = false;
        window->syncFromForm();
        QApplication::processEvents();
        const QImage screen = window->screen()->grabWindow(window->winId()).toImage();
        QCOMPARE(screen.convertToFormat(QImage::Format_RGB32),
                 window->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // The focus starts on Start. The zoom's keys without Ctrl are text, and
    // the sync keeps the cursor. Tab visits the boxes in order, Enter on Start
    // starts, Space on Close closes.
    void theKeyboardPathWorks() {
        QCOMPARE(QApplication::focusWidget(), child("Command1"));
        type("Text1", "+=-0");
        QCOMPARE(window->form().ctl.Text1, std::string("+=-0"));
        QCOMPARE(window->zoom(), 1.0);
        child<QLineEdit>("Text1")->setCursorPosition(1);
        window->syncFromForm();
        QCOMPARE(child<QLineEdit>("Text1")->cursorPosition(), 1);
        type("Text1", "300");
        child("Command1")->setFocus();
        const QStringList expected = u"Command1 Command2 Text1 Text2 Text3 Text4 Text6 Text7 "
                                     "Picture1 Text5 Command3 Text8 Text9 Text10 Text11 Text12 "
                                     "Text13 Command1"_qs.split(' ');
        QStringList visited = {QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            key(Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        key(Qt::Key_Return);
        QVERIFY(ticking());
        child("Command2")->setFocus();
        key(Qt::Key_Space);
        checkClosed(true);
    }

    // A message shows once; a run-time error again after a Start cleared it.
    void aMessageIsShownOncePerNewMessage() {
        for (int round = 0; round < 4; ++round) {
            const char *text = round < 2 ? "Invalid temperature" : "Overflow";
            round < 2 ? window->form().showMessage(text)
                      : void(window->form().feedback.error = text);
            window->syncFromForm();
            QTRY_VERIFY(window->messageBox() && window->messageBox()->isVisible());
            QCOMPARE(window->messageBox()->text(), QString(text));
            window->messageBox()->close();
            QTRY_VERIFY(!window->messageBox());
            window->syncFromForm();
            QVERIFY(!window->messageBox());
            window->form().feedback.error.reset();
            window->syncFromForm();
        }
    }

    // Every box and button named and described (the readouts as written by
    // the program, and read-only), the roles, the seven boxes a caption
    // labels; the names of a few as they read, and the caption of one. The
    // window is a frame, and each band letter is heard once with its
    // subscript.
    void everyControlHasItsNameAndRole() {
        const QStringList readouts = u"Text5 Text6 Text7 Text10 Text11 Text12 Text13"_qs.split(' ');
        int labelled = 0;
        for (const ControlDesign &d : WindowDescription()) {
            if (d.kind != ControlKind::TextBox && d.kind != ControlKind::Button) continue;
            const QString name = ControlName(d);
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(child(name));
            QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(name));
            QCOMPARE(int(a->role()), d.kind == ControlKind::Button ? QAccessible::Button
                                                                   : QAccessible::EditableText);
            const QString description = a->text(QAccessible::Description);
            QVERIFY2(!description.isEmpty(), qPrintable(name));
            QCOMPARE(description.startsWith(u"Written by the program"_qs), readouts.contains(name));
            QCOMPARE(bool(a->state().readOnly), readouts.contains(name));
            if (d.kind == ControlKind::TextBox) {
                // A reader says "editable" of the inputs only, and reads every box.
                QCOMPARE(bool(a->state().editable), !readouts.contains(name));
                QAccessibleTextInterface *t = a->textInterface();
                QVERIFY2(t, qPrintable(name));
                QCOMPARE(t->text(0, t->characterCount()), child<QLineEdit>(name)->text());
            }
            QCOMPARE(bool(a->state().focusable), true);
            labelled += a->relations(QAccessible::Label).size();
        }
        QCOMPARE(labelled, 7);
        // A reader selects in a readout and finds its characters where they stand.
        auto *readout = child<QLineEdit>("Text11");
        QAccessibleTextInterface *t =
            QAccessible::queryAccessibleInterface(readout)->textInterface();
        t->setSelection(0, 1, 4);
        QCOMPARE(readout->selectedText(), u"ext"_qs);
        int start = -1, end = -1;
        t->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(1, 4));
        const QRect box(readout->mapToGlobal(QPoint()), readout->size());
        for (int offset = 0; offset < t->characterCount(); ++offset) {
            const QRect r = t->characterRect(offset);
            QVERIFY2(box.contains(r), qPrintable(QString::number(offset)));
            // Text laid out in fractions of a pixel: the middle of a character
            // is the cursor's place before it or after it.
            const int at = t->offsetAtPoint(r.center());
            QVERIFY2(at == offset || at == offset + 1, qPrintable(QString::number(offset)));
        }
        const auto veb = QAccessible::queryAccessibleInterface(child("Text4"))->relations();
        QCOMPARE(veb.value(0).first->text(QAccessible::Name), u"VEB(V)"_qs);
        const std::tuple<const char *, int, const char *> rows[] = {
            {"Text4", QAccessible::EditableText, "Emitter–base voltage VEB (V)"},
            {"Text7", QAccessible::EditableText, "Collector current (mA)"},
            {"Command3", QAccessible::Button, "Restart"},
            {"Picture1", QAccessible::Chart, "Electron count over time"},
            {"DiagramCanvas", QAccessible::Graphic, "Band diagram"},
            {"Label2(0)", QAccessible::StaticText, "E C, conduction-band edge"},
            {"Label2(1)", QAccessible::StaticText, "E V, valence-band edge"},
            {"Label2(4)", QAccessible::StaticText, "E F, Fermi level"}};
        for (const auto &[control, role, name] : rows) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(child(control));
            QCOMPARE(int(a->role()), role);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(name));
        }
        QCOMPARE(int(QAccessible::queryAccessibleInterface(window.get())->role()),
                 int(QAccessible::Window));
        // What the form holds for a screen reader: its controls, less the
        // three subscripts.
        QAccessibleInterface *form = QAccessible::queryAccessibleInterface(window->formWidget());
        QStringList letters;
        for (int i = 0; i < form->childCount(); ++i) {
            const QObject *o = form->child(i)->object();
            QCOMPARE(form->indexOfChild(form->child(i)), i);
            if (o->objectName().startsWith(u"Label2("_qs)) letters << o->objectName();
        }
        QCOMPARE(letters, u"Label2(0) Label2(1) Label2(4)"_qs.split(' '));
        QCOMPARE(form->childCount(), window->formWidget()->children().size() - 3);
    }

    // Start before the first Start, Restart after it; a readout takes no
    // typing and ignores Enter.
    void enterInABoxAppliesTheInputs() {
        const std::tuple<bool, const char *, const char *, int> rows[] = {
            {false, "Text4", "0.3", 6480}, // VEB before Start
            {true, "Text8", "0.5", 5600},  // VCB while running
            {true, "Text1", "350", 6400},  // temperature while running
            {false, "Text7", "5", 0}};     // a readout
        for (const auto &[started, box, typed, collectorLeftX] : rows) {
            init();
            if (started) start();
            const auto electrons = window->form().ctl.Shape1;
            type(box, typed);
            key(Qt::Key_Return);
            QCOMPARE(window->form().vars.CollectorLeftX.value(), collectorLeftX);
            QCOMPARE(runs("Timer1"), collectorLeftX != 0);
            if (started) QCOMPARE(window->form().ctl.Shape1, electrons); // Restart keeps them
            QCOMPARE(QApplication::focusWidget(), child(box));
            QCOMPARE(child<QLineEdit>(box)->text() == typed, collectorLeftX != 0);
            // A box's text copies, a readout's too.
            key(Qt::Key_A, Qt::ControlModifier);
            key(Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), child<QLineEdit>(box)->text());
            window->close(); // by the window's frame
            checkClosed(false);
        }
    }

    void afterAMessageTheFocusIsOnTheBoxAtFault() {
        for (const auto &[box, typed] :
             {std::pair{"Text1", ""}, {"Text9", "x"}, {"Text8", "1e400"}}) {
            init();
            type(box, typed);
            child("Command1")->setFocus();
            start();
            QVERIFY(window->messageBox() &&
                    window->messageBox()->text().contains(child(box)->accessibleName()));
            window->messageBox()->accept();
            QTRY_COMPARE(QApplication::focusWidget(), child(box));
            QCOMPARE(child<QLineEdit>(box)->selectedText(), QString(typed));
        }
    }

    // The window opens at its client size and grows, by hand or when the
    // lower strip takes the focus (not for a box in view), to show the strip.
    void theWindowGrowsForTheLowerStrip() {
        for (const char *control : {"Text1", "Picture1", "Text13", "Text8"}) {
            init();
            QCOMPARE(window->size(), QSize(661, 510));
            child(control)->setFocus(Qt::TabFocusReason);
            const bool grows = control != std::string("Text8");
            QCOMPARE(window->height(), grows ? ToPixels(Window().extentHeight, 1.0) : 510);
            QVERIFY(child(control)->geometry().bottom() < window->height());
            window->resize(2000, 2000);
            QCOMPARE(window->size(), QSize(661, 641));
        }
    }

    // On a screen too small for the form at the zoom, the window stops at
    // the screen and the form scrolls: Tab shows every box of the strip
    // whole, and Ctrl+0 gives back the whole form at actual size.
    void theFormScrollsWhereTheScreenIsTooSmall() {
        for (const int steps : {4, 8}) {
            init();
            for (int i = 0; i < steps; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
            const QSize room = window->screen()->availableGeometry().size() -
                               (window->frameSize() - window->size());
            QCOMPARE(window->size(), room);
            auto *scroll = child<QScrollArea>("FormScroll");
            for (const char *box : {"Text1", "Text6", "Text5", "Picture1", "Text11", "Text13"}) {
                child(box)->setFocus(Qt::TabFocusReason);
                const QRect place(child(box)->mapTo(scroll->viewport(), QPoint(0, 0)),
                                  child(box)->size());
                QVERIFY2(scroll->viewport()->rect().contains(place), box);
            }
            key(Qt::Key_0, Qt::ControlModifier);
            QCOMPARE(window->size(), QSize(661, 641));
            QVERIFY(!scroll->verticalScrollBar()->isVisible());
            QCOMPARE(child("Text13")->mapTo(window.get(), QPoint(0, 0)),
                     ToPixels(FindControl("Text13"), 1.0).topLeft());
        }
    }

    // Described at Start and at each readout, not at every tick; the count
    // of pairs starts again at each description.
    void theDrawingsAreDescribedAtStartAndReadoutOnly() {
        QWidget *canvas = child("DiagramCanvas");
        start();
        const QString atStart = canvas->accessibleDescription();
        QVERIFY2(atStart.contains(u"Electrons in the emitter: 39,"_qs), qPrintable(atStart));
        QVERIFY(atStart.contains(u"0.20 eV"_qs) && atStart.contains(u"2.00 eV"_qs));
        QVERIFY(child("Picture1")->accessibleDescription().contains(u"Electrons now: 81."_qs));
        const auto deliver = [this](const char *timer) {
            window->program().deliver(*FindControlEvent(timer));
            window->syncFromForm();
        };
        for (int i = 0; i < 40; ++i) deliver("Timer1");
        QCOMPARE(canvas->accessibleDescription(), atStart);
        deliver("Timer2");
        QVERIFY(canvas->accessibleDescription() != atStart);
        QVERIFY(!canvas->accessibleDescription().contains(u"recombined: 0"_qs));
    }

    // F5 and Pause freeze the program's clock, with the sign and the
    // description saying so; Restart stays paused, Start ends the pause.
    void pauseFreezesTheClockAndResumeGoesOn() {
        start();
        key(Qt::Key_F5);
        QVERIFY(paused() && !ticking() && child("PausedSign")->isVisible());
        QVERIFY(window->accessibleDescription().contains("paused"));
        QCOMPARE(child<QAction>("PauseAction")->text(), u"&Resume"_qs);
        const Form frozen = window->form();
        QTest::qWait(150);
        QVERIFY(SameSimulation(window->form(), frozen));
        key(Qt::Key_Pause);
        QVERIFY(!paused() && ticking() && !child("PausedSign")->isVisible());
        QVERIFY(window->accessibleDescription().isEmpty());
        QTRY_VERIFY(window->form().ctl.Picture1.size() > frozen.ctl.Picture1.size());
        key(Qt::Key_F5);
        child<QPushButton>("Command3")->click();
        QVERIFY(paused() && !ticking());
        start();
        QVERIFY(!paused() && ticking());
    }

    // Each F6 is the core's own tick on the same state and random sequence;
    // before Start it does nothing. A marker it shows clears while paused.
    void stepIsExactlyOneTickOfTheCore() {
        const Form before = window->form();
        key(Qt::Key_F6);
        QVERIFY(SameSimulation(window->form(), before) && !paused());
        start();
        const std::size_t points = window->form().ctl.Picture1.size();
        for (int i = 0; i < 10; ++i) {
            Form expected = window->form();
            FixedSeedRandom random =
                dynamic_cast<const FixedSeedRandom &>(window->program().random());
            Timer1_Timer(expected, random);
            key(Qt::Key_F6);
            QVERIFY(SameSimulation(window->form(), expected));
            QCOMPARE(window->form().feedback, expected.feedback);
        }
        QCOMPARE(window->form().ctl.Picture1.size(), points + 10);
        for (int i = 0; i < 2000 && !window->form().ctl.Line18.Visible; ++i) key(Qt::Key_F6);
        QVERIFY(window->form().ctl.Line18.Visible);
        QTRY_VERIFY(!window->form().ctl.Line18.Visible);
        QVERIFY(paused() && !runs("Timer1") && !runs("Timer2"));
    }

    // Small, in the diagram's upper right corner, and easy to read: the
    // darkest pixel of its word against its background, at 4.5 : 1 or more.
    void thePausedSignIsReadable() {
        for (const int steps : {0, 2}) {
            init();
            for (int i = 0; i < steps; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
            key(Qt::Key_F5);
            QWidget *sign = child("PausedSign");
            QVERIFY(sign->isVisible());
            const double z = window->zoom();
            QCOMPARE(sign->geometry().right() + 1, ToPixels(8760, z));
            QVERIFY(sign->geometry().top() >= ToPixels(1020, z));
            QVERIFY(sign->height() <= ToPixels(300, z) && sign->width() <= ToPixels(1500, z));
            const QImage image = sign->grab().toImage();
            auto luminance = [](QColor c) {
                auto channel = [](double v) {
                    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
                };
                return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
                       0.0722 * channel(c.blueF());
            };
            const double background = luminance(image.pixelColor(0, 0));
            double darkest = background;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    darkest = std::min(darkest, luminance(image.pixelColor(x, y)));
            QVERIFY2((background + 0.05) / (darkest + 0.05) >= 4.5, qPrintable(QString::number(z)));
        }
    }

    // A right click on the plot, or Shift+F10 on a button, opens it; a text
    // box keeps its own menu.
    void theMenuShowsTheActionsWithTheirKeys() {
        QWidget *plot = child("Picture1");
        QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, plot->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(plot, &click);
        QMenu *menu = window->classroom().menu();
        QVERIFY(menu->isVisible());
        QStringList items;
        for (QAction *a : menu->actions())
            if (!a->isSeparator() && a->isShortcutVisibleInContextMenu())
                items << a->text() + " " + a->shortcut().toString(QKeySequence::PortableText);
        QCOMPARE(items.join('|'),
                 u"&Pause F5|&Step one tick F6|Zoom &in Ctrl++|Zoom &out Ctrl+-|"
                 "&Actual size Ctrl+0|&Copy picture Ctrl+Shift+C|"
                 "Rea&douts... F8|&Fit to window Ctrl+Shift+F|&High contrast |&Keys "_qs);
        menu->hide();
        key(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu->isVisible());
        menu->hide();
        // The menu button: a finger's target, named, in the corner.
        auto *button = child<QPushButton>("MenuButton");
        QVERIFY(button->width() >= 44 && button->height() >= 44);
        QCOMPARE(button->accessibleName(), u"Classroom menu"_qs);
        button->click();
        QVERIFY(menu->isVisible());
        menu->hide();
        child("Text2")->setFocus();
        key(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!menu->isVisible());
        QTRY_VERIFY(QApplication::activePopupWidget());
        QApplication::activePopupWidget()->close();
    }

    // A finger held still on the diagram or the plot opens the menu, with
    // items a finger's height, as a tap on the menu button does; a finger
    // that moves, lifts early or meets a second one does not. The keys open
    // it as designed.
    void touchOpensTheMenu() {
        static QPointingDevice *screen = QTest::createTouchDevice();
        struct Row {
            const char *name, *widget;
            int heldMs, movedPx;
            bool secondFinger, opens;
        };
        const Row rows[] = {
            {"diagram held", "Form1", 700, 0, false, true},
            {"plot held", "Picture1", 700, 0, false, true},
            {"plot held, trembling", "Picture1", 700, 3, false, true},
            {"diagram held, moved", "Form1", 700, 20, false, false},
            {"plot tapped", "Picture1", 150, 0, false, false},
            {"diagram, two fingers", "Form1", 700, 0, true, false},
            {"menu button tapped", "MenuButton", 50, 0, false, true},
            {"Start held", "Command1", 700, 0, false, false},
        };
        for (const Row &row : rows) {
            init();
            window->resize(window->maximumSize()); // the plot is in the lower strip
            QMenu *menu = window->classroom().menu();
            QWidget *on = child(row.widget);
            // On the diagram: the empty corner where the "Paused" sign shows.
            QPoint at = on == window->formWidget() ? QPoint(ToPixels(8000, 1), ToPixels(1100, 1))
                                                   : on->rect().center();
            QVERIFY2(!on->childAt(at), row.name);
            QTest::touchEvent(window.get(), screen).press(0, at, on);
            if (row.secondFinger)
                QTest::touchEvent(window.get(), screen)
                    .stationary(0)
                    .press(1, at + QPoint(60, 0), on);
            if (row.movedPx)
                QTest::touchEvent(window.get(), screen).move(0, at + QPoint(row.movedPx, 0), on);
            QTest::qWait(row.heldMs);
            QVERIFY2(menu->isVisible() == (row.opens && on != child("MenuButton")), row.name);
            auto lift = QTest::touchEvent(window.get(), screen);
            lift.release(0, at, on);
            if (row.secondFinger) lift.release(1, at + QPoint(60, 0), on);
            lift.commit();
            // The lifted finger leaves it open.
            QTRY_VERIFY2(menu->isVisible() == row.opens, row.name);
            QVERIFY2(ticking() == (on == child("Command1")), row.name); // a tap still clicks
            if (!row.opens) continue;
            auto lowest = [menu] {
                int height = INT_MAX;
                for (QAction *a : menu->actions())
                    if (!a->isSeparator())
                        height = std::min(height, menu->actionGeometry(a).height());
                return height;
            };
            QVERIFY2(lowest() >= 44, row.name + QByteArray(" ") + QByteArray::number(lowest()));
            menu->hide();
            key(Qt::Key_F10, Qt::ShiftModifier);
            QVERIFY2(menu->isVisible(), row.name);
            QVERIFY2(lowest() < 44, row.name + QByteArray(" ") + QByteArray::number(lowest()));
            menu->hide();
        }
    }

    // With the menu open, each classroom key closes it and does its work,
    // the keys a Chromebook has without Search among them.
    void everyClassroomKeyWorksWithTheMenuOpen() {
        const std::tuple<const char *, Qt::Key, Qt::KeyboardModifiers> rows[] = {
            {"pause", Qt::Key_F5, Qt::NoModifier},
            {"pause", Qt::Key_Pause, Qt::NoModifier},
            {"pause", Qt::Key_Period, Qt::ControlModifier},
            {"step", Qt::Key_F6, Qt::NoModifier},
            {"step", Qt::Key_Comma, Qt::ControlModifier},
            {"zoom", Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier},
            {"zoom", Qt::Key_Equal, Qt::ControlModifier},
            {"copy", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier},
        };
        for (const auto &[what, k, modifiers] : rows) {
            init();
            start();
            QApplication::clipboard()->clear();
            key(Qt::Key_F10, Qt::ShiftModifier);
            QMenu *menu = window->classroom().menu();
            QVERIFY(menu->isVisible());
            const int plotted = static_cast<int>(window->form().ctl.Picture1.size());
            QTest::keyClick(menu, k, modifiers);
            const QByteArray row = what + QByteArray(" ") + QByteArray::number(k, 16);
            QVERIFY2(!menu->isVisible(), row);
            const QByteArray w(what);
            QVERIFY2(paused() == (w == "pause" || w == "step"), row);
            QVERIFY2((static_cast<int>(window->form().ctl.Picture1.size()) > plotted) ==
                         (w == "step"),
                     row);
            QVERIFY2((window->zoom() > 1) == (w == "zoom"), row);
            QVERIFY2(QApplication::clipboard()->image().isNull() == (w != "copy"), row);
        }
    }

    // After a zoom the box that has the focus is in sight; Fit to window
    // gives the zoom at which the whole form fits the screen.
    void fitAndTheFocusInSight() {
        QWidget *box = child("Text13");
        box->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 8; ++i) key(Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(window->zoom(), 3.0);
        QApplication::processEvents();
        const QWidget *view = window->findChild<QScrollArea *>()->viewport();
        const QRect shown(window->formWidget()->mapFrom(view, QPoint(0, 0)), view->size());
        QVERIFY2(shown.contains(box->geometry()),
                 qPrintable(u"%1 %2 %3 %4 in %5 %6 %7 %8"_qs.arg(box->x())
                                .arg(box->y())
                                .arg(box->width())
                                .arg(box->height())
                                .arg(shown.x())
                                .arg(shown.y())
                                .arg(shown.width())
                                .arg(shown.height())));
        key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        const QSize room = window->screen()->availableGeometry().size() -
                           (window->frameGeometry().size() - window->size());
        QCOMPARE(window->zoom(), FitZoom(room.width(), room.height()));
    }

    // High contrast, from the menu: the form white, lines two pixels wide,
    // the red marker darkened; the item checked. Again: as designed.
    void highContrastFromTheMenu() {
        window->resize(window->maximumSize());
        QAction *item = child<QAction>("HighContrastAction");
        QVERIFY(window->classroom().menu()->actions().contains(item));
        const ControlDesign &line = FindControl("Line1");
        const int x = (line.x1 + line.x2) / 2;
        for (const bool high : {true, false}) {
            item->trigger();
            QCOMPARE(item->isChecked(), high);
            QTRY_COMPARE(shown(600, 600) == 0xFFFFFFu, high);
            QCOMPARE(shown(x, line.y1), 0u);
            // The pixel over a one-pixel line.
            QCOMPARE(shown(x, line.y1 - 15) == 0u, high);
        }
    }

    // Every box, button, the plot and the lower-left shapes say what a screen
    // reader hears, when the pointer rests on them.
    void everyDescribedControlHasItsToolTip() {
        window->resize(window->maximumSize());
        int shapes = 0;
        for (const ControlDesign &c : WindowDescription()) {
            if (c.accessibleDescription.empty()) continue;
            const QString want = QString::fromStdString(ToolTip(c, {}));
            QVERIFY2(want.startsWith(ToQString(c.accessibleName)), c.name.data());
            if (c.kind != ControlKind::Circle && c.kind != ControlKind::Rectangle) {
                QCOMPARE(child(ControlName(c))->toolTip(), want);
                continue;
            }
            QWidget *canvas = window->findChild<DiagramCanvas *>();
            const QPoint at((c.left + c.width / 2) / 15, (c.top + c.height / 2) / 15);
            QHelpEvent help(QEvent::ToolTip, at, canvas->mapToGlobal(at));
            QApplication::sendEvent(canvas, &help);
            QTRY_COMPARE(QToolTip::text(), want);
            QToolTip::hideText();
            ++shapes;
        }
        QCOMPARE(shapes, 2);
    }

    // The list of keys: every key of the table with what the menu calls it.
    void theKeysItemListsEveryKey() {
        QAction *keys = child<QAction>("KeysAction");
        QVERIFY(keys && window->classroom().menu()->actions().contains(keys));
        keys->trigger();
        QMessageBox *box = window->classroom().keysHelp();
        QVERIFY(box && box->isVisible());
        const QString text = box->text();
        for (const char *k : {"F5", "Pause", "Ctrl+.", "F6", "Ctrl+,", "Ctrl++", "Ctrl+=", "Ctrl+-",
                              "Ctrl+0", "Ctrl+Shift+C", "Shift+F10", "Menu", "Step one tick",
                              "Copy picture", "Open this menu"})
            QVERIFY2(text.contains(QString::fromUtf8(k)), k);
        box->close();
    }

    // The drawing on white, at the zoom: Line1 black where it belongs; the
    // strip with its spare electron once the window shows it.
    void copyPutsTheVisibleFormOnTheClipboard() {
        const std::tuple<int, bool, QSize> rows[] = {
            {0, false, {661, 510}}, {4, false, {1322, 1020}}, {0, true, {661, 641}}};
        for (const auto &[steps, strip, size] : rows) {
            init();
            for (int i = 0; i < steps; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
            if (strip) child("Text1")->setFocus(Qt::TabFocusReason);
            QApplication::clipboard()->clear();
            key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            const QImage image = QApplication::clipboard()->image();
            QCOMPARE(image.size(), size * window->devicePixelRatio());
            QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
            const ControlDesign &line = FindControl("Line1");
            const double z = window->zoom();
            QCOMPARE(image.pixelColor(ToPixels((line.x1 + line.x2) / 2, z), ToPixels(line.y1, z)),
                     QColor(Qt::black));
            const ControlDesign &spare = FindControl("Shape1", 0);
            if (strip)
                QCOMPARE(
                    image.pixelColor(ToPixels(spare.left + 52, z), ToPixels(spare.top + 52, z)),
                    QColor(Qt::black));
        }
    }

    // Ctrl with each key (1 and -1 a notch of the wheel); at last, larger
    // than the screen allows, the window stops at the screen.
    void zoomSteps() {
        const QSize small(200, 150); // every zoom fits the screen
        const std::tuple<const char *, double, QSize> rows[] = {
            // ^ and v: a notch of the wheel
            {"+", 1.25, small},
            {"==", 1.5, small},
            {"++++++++++", 3.0, small},
            {"+++-", 1.5, small},
            {"-", 1.0, small},
            {"++0", 1.0, small},
            {"^^^v", 1.5, small},
            // As wide as the form: zoomed in, it scrolls across; zoomed out,
            // the form's narrower width is no resize by the user.
            {"+-", 1.0, {661, 150}}};
        for (const auto &[keys, zoom, start] : rows) {
            init();
            window->resize(start);
            for (const char *k = keys; *k; ++k) {
                const int notch = *k == '^' ? 120 : *k == 'v' ? -120 : 0;
                QWheelEvent wheel({100, 100}, window->mapToGlobal(QPoint(100, 100)), {}, {0, notch},
                                  Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
                notch ? void(QApplication::sendEvent(window.get(), &wheel))
                      : key(*k, Qt::ControlModifier);
            }
            QCOMPARE(window->zoom(), zoom);
            QCOMPARE(window->size(), (QSizeF(start) * zoom).toSize());
            const ControlDesign &box = FindControl("Text4");
            QCOMPARE(child("Text4")->geometry(),
                     QRect(qRound(box.left * zoom / 15), qRound(box.top * zoom / 15),
                           qRound(box.width * zoom / 15), qRound(box.height * zoom / 15)));
        }
        init();
        for (int i = 0; i < 8; ++i) key(Qt::Key_Plus, Qt::ControlModifier);
        const QSize frame = window->frameSize() - window->size();
        QCOMPARE(window->size(),
                 QSize(1983, 1530).boundedTo(window->screen()->availableGeometry().size() - frame));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
