// The window as a user meets it. Most of it is one table of sessions: what a
// user types, clicks and presses, and what the window then shows and which
// events it handed to the program; after every session the boxes, the
// drawings' descriptions and every control's place agree with the program's
// Form. What needs the window itself has a test of its own: painting, the
// keyboard path, a screen reader, touch, the paused sign, the contrast, the
// Readouts view.
#include <QtTest>
#include <QtWidgets>
#include <map>
#include <memory>

#include "app/classroom.h"
#include "app/readout_report.h"
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
    QStringList delivered; // the events the window handed to the program, in order

    template <class T = QWidget> T *child(const QString &name) const {
        return window->findChild<T *>(name);
    }
    QMenu *menu() const { return window->classroom().menu(); }
    // A key goes where a real one would: to an open popup, else to the focus.
    void key(QKeyCombination k) {
        QWidget *popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), k.key(),
                        k.keyboardModifiers());
    }
    void type(const QString &box, const QString &text) {
        child(box)->setFocus();
        child<QLineEdit>(box)->selectAll();
        key(Qt::Key_Delete);
        QTest::keyClicks(child(box), text);
    }
    QRgb shown(int x, int y) { // twips; what the screen shows now
        QApplication::processEvents();
        const QImage image = window->screen()->grabWindow(window->winId()).toImage();
        return image.pixelColor(x / 15, y / 15).rgb() & 0xFFFFFF;
    }
    static QString text(QSize s) { return u"%1x%2"_qs.arg(s.width()).arg(s.height()); }
    // The darkest pixel of a picture against its first one, as the
    // readability guidelines for the web measure contrast.
    static double contrast(const QImage &image) {
        auto luminance = [](QColor c) {
            auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
                   0.0722 * channel(c.blueF());
        };
        double darkest = 1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = std::min(darkest, luminance(image.pixelColor(x, y)));
        return (luminance(image.pixelColor(0, 0)) + 0.05) / (darkest + 0.05);
    }

    // One session, its words apart by blanks: "Text4=0.3" types into a box,
    // "@Text13" gives it the focus, "!Command1" clicks, "#KeysAction"
    // triggers a menu item, "^" and "v" turn the wheel a notch with Ctrl,
    // "200x150" resizes, "right" right-clicks the plot, "ok" closes the
    // message, "wait" lets 150 ms pass, "close" closes by the frame; any
    // other word is a key, "Ctrl++*8" eight times.
    void act(const QString &session) {
        static const QRegularExpression typing(u"^(Text\\d+)=(.*)$"_qs), size(u"^\\d+x\\d+$"_qs);
        for (const QString &word : session.split(u' ', Qt::SkipEmptyParts)) {
            const QString w = word.section(u'*', 0, 0);
            for (int n = word.contains(u'*') ? word.section(u'*', 1).toInt() : 1; n > 0; --n) {
                const QPoint at = window->mapToGlobal(QPoint(100, 100));
                QWheelEvent wheel({100, 100}, at, {}, {0, w == u"^" ? 120 : -120}, Qt::NoButton,
                                  Qt::ControlModifier, Qt::NoScrollPhase, false);
                QWidget *plot = child("Picture1");
                QContextMenuEvent right(QContextMenuEvent::Mouse, {5, 5},
                                        plot->mapToGlobal(QPoint(5, 5)));
                if (const auto m = typing.match(w); m.hasMatch())
                    type(m.captured(1), m.captured(2));
                else if (size.match(w).hasMatch())
                    window->resize(w.section(u'x', 0, 0).toInt(), w.section(u'x', 1).toInt());
                else if (w.startsWith(u'@'))
                    child(w.mid(1))->setFocus(Qt::TabFocusReason);
                else if (w.startsWith(u'!'))
                    child<QPushButton>(w.mid(1))->click();
                else if (w.startsWith(u'#'))
                    child<QAction>(w.mid(1))->trigger();
                else if (w == u"^" || w == u"v")
                    QApplication::sendEvent(window.get(), &wheel);
                else if (w == u"right")
                    QApplication::sendEvent(plot, &right);
                else if (w == u"ok") {
                    window->messageBox()->accept();
                    QTRY_VERIFY(QApplication::activeWindow() == window.get());
                } else if (w == u"wait")
                    QTest::qWait(150);
                else if (w == u"close")
                    window->close();
                else
                    key(QKeySequence(w)[0]);
            }
        }
    }

    // What the window shows, by name, for a session's expectations.
    std::map<QString, QString> state() const {
        QWidget *focus = QApplication::focusWidget();
        auto *edit = qobject_cast<QLineEdit *>(focus);
        const auto *scroll = child<QScrollArea>("FormScroll");
        const QRect view(window->formWidget()->mapFrom(scroll->viewport(), QPoint()),
                         scroll->viewport()->size());
        QImage clip = QApplication::clipboard()->image();
        const double z = window->zoom();
        const ControlDesign &line = FindControl("Line1"), &spare = FindControl("Shape1", 0);
        auto at = [&](int x, int y) { return clip.pixelColor(ToPixels(x, z), ToPixels(y, z)); };
        // On white, Line1 black where it belongs, and the strip's spare
        // electron where the picture reaches down to it.
        const bool drawn = !clip.isNull() && clip.pixelColor(2, 2) == Qt::white &&
                           at((line.x1 + line.x2) / 2, line.y1) == Qt::black &&
                           (ToPixels(spare.top, z) >= clip.height() ||
                            at(spare.left + 52, spare.top + 52) == Qt::black);
        bool ticking = false;
        for (QTimer *t : window->findChildren<QTimer *>()) ticking |= t->isActive();
        auto flag = [](bool b) { return b ? u"1"_qs : u"0"_qs; };
        const char *closed = window->form().feedback.closed ? "button" : "frame";
        clip.setDevicePixelRatio(1);
        return {{"zoom", QString::number(z)},
                {"size", text(window->size())},
                {"focus", focus ? focus->objectName() : QString()},
                {"sel", edit ? edit->selectedText() : QString()},
                {"inview",
                 flag(focus && view.contains(QRect(focus->mapTo(window->formWidget(), QPoint()),
                                                   focus->size())))},
                {"bar", flag(scroll->verticalScrollBar()->isVisible())},
                {"events", delivered.join(u',')},
                {"paused", flag(window->program().paused())},
                {"sign", flag(child("PausedSign")->isVisible())},
                {"resume", flag(child<QAction>("PauseAction")->text() == u"&Resume")},
                {"wakes", flag(child<QTimer>("Wake")->isActive())},
                {"menu", flag(menu()->isVisible())},
                {"popup", flag(QApplication::activePopupWidget() &&
                               QApplication::activePopupWidget() != menu())},
                {"msg", flag(window->messageBox() && window->messageBox()->isVisible())},
                {"clip", clip.isNull() ? u"none"_qs
                         : drawn       ? text(clip.size())
                                       : u"bad"_qs},
                {"copied", QApplication::clipboard()->text()},
                {"readouts", flag(window->readouts() && window->readouts()->isVisible())},
                {"keys", flag(window->classroom().keysHelp() &&
                              window->classroom().keysHelp()->isVisible())},
                {"contrast", flag(child<QAction>("HighContrastAction")->isChecked())},
                {"closed", window->isVisible() ? u"no"_qs : closed + QString(ticking ? "+" : "")}};
    }

  private slots:
    void init() { // also a fresh window for each row of a table
        QApplication::clipboard()->clear();
        window = std::make_unique<MainWindow>();
        delivered.clear();
        connect(window.get(), &MainWindow::delivered, this,
                [this](const QString &control) { delivered << control; });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void aSession_data() {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("expected");
        // The keyboard: Enter and Space press the focused button, Enter in an
        // input box applies the inputs (Start, or Restart once started), a
        // readout takes neither typing nor Enter but copies; the zoom's keys
        // without Ctrl are text.
        QTest::addRow("Enter on Start") << "Return"
                                        << "events=Command1 focus=Command1 wakes=1";
        QTest::addRow("Space on Close") << "@Command2 Space"
                                        << "events=Command2 closed=button";
        QTest::addRow("by the frame") << "!Command1 close"
                                      << "closed=frame";
        QTest::addRow("Enter before Start") << "Text4=0.3 Return"
                                            << "events=Command1 focus=Text4";
        QTest::addRow("Enter, running") << "!Command1 Text8=0.5 Return"
                                        << "events=Command1,Command3 focus=Text8";
        QTest::addRow("Enter in a readout") << "Text7=5 Return"
                                            << "events= focus=Text7";
        QTest::addRow("box copies") << "Text1=350 Ctrl+A Ctrl+C"
                                    << "copied=350 zoom=1";
        QTest::addRow("readout copies") << "@Text13 Ctrl+A Ctrl+C"
                                        << "copied=Text13";
        QTest::addRow("Ctrl keys typed") << "Text1=+=-0"
                                         << "zoom=1";
        // A refused input: one message, then the focus on its box, selected.
        QTest::addRow("message") << "Text9=x !Command1"
                                 << "msg=1 events=Command1";
        QTest::addRow("empty box") << "Text1= Return ok"
                                   << "msg=0 focus=Text1 sel=";
        QTest::addRow("bad box") << "Text9=x @Command1 Return ok"
                                 << "focus=Text9 sel=x";
        QTest::addRow("huge") << "Text8=1e400 @Command1 Space ok"
                              << "focus=Text8 sel=1e400";
        // F5 and Pause freeze the clock, with the sign; Restart stays paused.
        QTest::addRow("pause") << "!Command1 F5 wait"
                               << "events=Command1 paused=1 sign=1 resume=1 wakes=0";
        QTest::addRow("resume") << "!Command1 F5 Pause"
                                << "paused=0 sign=0 resume=0 wakes=1";
        QTest::addRow("Restart paused") << "!Command1 Ctrl+. !Command3"
                                        << "paused=1 sign=1";
        QTest::addRow("steps") << "!Command1 F6 Ctrl+,"
                               << "events=Command1,Timer1,Timer1 paused=1";
        // Zoom by key and by wheel, from a small window and from one as wide
        // as the form; the window follows as far as the screen allows.
        QTest::addRow("Ctrl++") << "200x150 Ctrl++"
                                << "zoom=1.25 size=250x188";
        QTest::addRow("Ctrl+=") << "200x150 Ctrl+=*2"
                                << "zoom=1.5 size=300x225";
        QTest::addRow("most") << "200x150 Ctrl++*10"
                              << "zoom=3 size=600x450";
        QTest::addRow("Ctrl+-") << "200x150 Ctrl++*3 Ctrl+- Ctrl+-"
                                << "zoom=1.25 size=250x188";
        QTest::addRow("Ctrl+0") << "200x150 Ctrl++*2 Ctrl+0"
                                << "zoom=1 size=200x150";
        QTest::addRow("wheel") << "200x150 ^*3 v"
                               << "zoom=1.5 size=300x225";
        QTest::addRow("form wide") << "661x150 Ctrl++ Ctrl+-"
                                   << "zoom=1 size=661x150";
        QTest::addRow("screen") << "Ctrl++*8"
                                << "zoom=3 size=796x796 bar=1";
        // The window grows to show the lower strip when it takes the focus,
        // and no larger by hand; where the screen is too small, the form
        // scrolls the focused box into view.
        QTest::addRow("grows") << "@Text1"
                               << "size=661x641 inview=1";
        QTest::addRow("grows for the plot") << "@Picture1"
                                            << "size=661x641 inview=1";
        QTest::addRow("no need") << "@Text8"
                                 << "size=661x510";
        QTest::addRow("by hand") << "2000x2000"
                                 << "size=661x641";
        QTest::addRow("scrolls") << "Ctrl++*4 @Text13"
                                 << "size=796x796 inview=1 bar=1";
        QTest::addRow("scrolls across") << "Ctrl++*8 @Text6"
                                        << "inview=1";
        QTest::addRow("back") << "Ctrl++*8 @Text11 Ctrl+0"
                              << "size=661x641 inview=1 bar=0";
        QTest::addRow("in sight") << "@Text13 Ctrl+=*8 wait"
                                  << "zoom=3 inview=1";
        QTest::addRow("fit") << "Ctrl+Shift+F"
                             << "zoom=1.2 bar=0";
        // The menu: a right click on the plot, Shift+F10 on a button, the
        // menu button; a box keeps its own. Its keys work with it open.
        QTest::addRow("right click") << "right"
                                     << "menu=1";
        QTest::addRow("Shift+F10") << "Shift+F10"
                                   << "menu=1 popup=0";
        QTest::addRow("menu button") << "!MenuButton"
                                     << "menu=1";
        QTest::addRow("a box's menu") << "@Text2 Shift+F10"
                                      << "menu=0 popup=1";
        QTest::addRow("menu, pause") << "!Command1 Menu Pause"
                                     << "menu=0 paused=1";
        QTest::addRow("menu, step") << "!Command1 Menu Ctrl+,"
                                    << "menu=0 events=Command1,Timer1";
        QTest::addRow("menu, zoom") << "Menu Ctrl+Shift++"
                                    << "menu=0 zoom=1.25";
        QTest::addRow("menu, copy") << "Menu Ctrl+Shift+C"
                                    << "menu=0 clip=661x510";
        // The copy: what the window shows, at the zoom, on white.
        QTest::addRow("copy zoomed") << "Ctrl++*4 Ctrl+Shift+C"
                                     << "clip=1322x1020";
        QTest::addRow("copy the strip") << "@Text1 Ctrl+Shift+C"
                                        << "clip=661x641";
        QTest::addRow("readouts") << "F8"
                                  << "readouts=1";
        QTest::addRow("keys") << "#KeysAction"
                              << "keys=1";
        QTest::addRow("contrast") << "#HighContrastAction"
                                  << "contrast=1";
    }
    void aSession() {
        QFETCH(QString, session);
        QFETCH(QString, expected);
        act(session);
        const std::map<QString, QString> now = state();
        for (const QString &pair : expected.split(u' ')) {
            const QString name = pair.section(u'=', 0, 0);
            QVERIFY2(now.count(name), qPrintable(name));
            QCOMPARE(name + u'=' + now.at(name), pair);
        }
        // What the program says, the window shows.
        for (const ControlDesign &d : WindowDescription()) {
            if (QWidget *w = child(ControlName(d)); w && !qobject_cast<QLabel *>(w))
                QCOMPARE(w->geometry(), ToPixels(d, window->zoom()));
            if (d.kind == ControlKind::TextBox)
                QCOMPARE(child<QLineEdit>(ControlName(d))->text().toStdString(),
                         *TextBox(window->form().ctl, d.name));
        }
        const Program &p = window->program();
        QCOMPARE(child("DiagramCanvas")->accessibleDescription().toStdString(),
                 p.diagramDescription());
        QCOMPARE(child("Picture1")->accessibleDescription().toStdString(), p.plotDescription());
        QCOMPARE(window->accessibleDescription().toStdString(), p.windowDescription());
    }

    // Every key of the classroom table presses its action, with the menu
    // open too, where Ctrl and a symbol may come with the Shift it needs.
    void everyClassroomKeyPressesItsAction() {
        for (const ClassroomAction &a : kClassroomActions)
            for (const std::string_view k : a.keys)
                for (const bool open : {false, true}) {
                    if (k.empty() || a.pageOnly) continue;
                    init();
                    act(u"Ctrl++"_qs); // so that every zoom key has work to do
                    QString pressed;
                    for (QAction *action : window->actions())
                        connect(action, &QAction::triggered, this,
                                [&pressed, action] { pressed = action->objectName(); });
                    if (open) menu()->popup(window->mapToGlobal(QPoint(50, 50)));
                    QKeyCombination c = QKeySequence(ToQString(k), QKeySequence::PortableText)[0];
                    if (open && (c.key() < Qt::Key_A || c.key() > Qt::Key_Z) && c.key() < 0x100)
                        c = QKeyCombination(c.keyboardModifiers() | Qt::ShiftModifier, c.key());
                    key(c);
                    QCOMPARE(pressed, ToQString(a.name) + u"Action"_qs);
                    QCOMPARE(menu()->actions().contains(child<QAction>(pressed)), a.group >= 0);
                }
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
        const QPoint plot = child("Picture1")->pos() * 15 + QPoint(300, 300);
        for (const Single x : {2000.f, 3000.f}) {
            f.ctl.Shape1(1) = {x, 1000};
            f.ctl.Picture1 = {{300, 300}};
            window->syncFromForm();
            QCOMPARE(shown(int(x) + 52, 1052), 0u);
            QCOMPARE(shown(plot.x(), plot.y()), 0u);
        }
        QVERIFY(shown(2052, 1052) != 0u);
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

    // The focus starts on Start and Tab visits the boxes in order; a sync
    // keeps the cursor where it is.
    void theKeyboardPath() {
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 17; ++i) {
            key(Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(u' '), u"Command1 Command2 Text1 Text2 Text3 Text4 Text6 Text7 "
                                     "Picture1 Text5 Command3 Text8 Text9 Text10 Text11 Text12 "
                                     "Text13 Command1"_qs);
        child<QLineEdit>("Text1")->setCursorPosition(1);
        window->syncFromForm();
        QCOMPARE(child<QLineEdit>("Text1")->cursorPosition(), 1);
    }

    // Every control as the window description names and describes it, in
    // the role of its kind, with its tool tip, the shapes' drawn ones
    // included; a readout read-only; a caption labels its box; the form
    // heard without the band letters' subscripts.
    void everyControlIsNamedForAScreenReader() {
        window->resize(window->maximumSize());
        const std::map<ControlKind, QAccessible::Role> roles = {
            {ControlKind::Label, QAccessible::StaticText},
            {ControlKind::TextBox, QAccessible::EditableText},
            {ControlKind::Button, QAccessible::Button},
            {ControlKind::PictureBox, QAccessible::Chart}};
        auto *canvas = window->findChild<DiagramCanvas *>();
        auto reader = [](QObject *o) { return QAccessible::queryAccessibleInterface(o); };
        QStringList subscripts;
        for (const ControlDesign &d : WindowDescription()) {
            const QString tip = QString::fromStdString(ToolTip(d, {}));
            const QByteArray name = ControlName(d).toUtf8();
            if ((d.kind == ControlKind::Circle || d.kind == ControlKind::Rectangle) &&
                !d.accessibleDescription.empty()) {
                const QPoint at((d.left + d.width / 2) / 15, (d.top + d.height / 2) / 15);
                QHelpEvent help(QEvent::ToolTip, at, canvas->mapToGlobal(at));
                QApplication::sendEvent(canvas, &help);
                QTRY_COMPARE(QToolTip::text(), tip);
                QToolTip::hideText();
            }
            QWidget *w = child(ControlName(d));
            if (!roles.count(d.kind) || !w) continue;
            QAccessibleInterface *a = reader(w);
            QCOMPARE(a->role(), roles.at(d.kind));
            const QString heardName = a->text(QAccessible::Name);
            QVERIFY2(!heardName.isEmpty(), name);
            QVERIFY2(d.accessibleName.empty() || heardName == ToQString(d.accessibleName), name);
            if (d.kind != ControlKind::PictureBox)
                QCOMPARE(a->text(QAccessible::Description), ToQString(d.accessibleDescription));
            if (!d.accessibleDescription.empty()) QCOMPARE(w->toolTip(), tip);
            if (!d.buddy.empty())
                QCOMPARE(reader(child(ToQString(d.buddy)))->relations().value(0).first->object(),
                         w);
            if (d.subscript) subscripts << ControlName(d);
            if (d.kind != ControlKind::TextBox) continue;
            QCOMPARE(bool(a->state().readOnly), d.readOnly);
            QCOMPARE(bool(a->state().editable), !d.readOnly);
            QVERIFY(a->state().focusable);
            QAccessibleTextInterface *t = a->textInterface();
            QVERIFY2(t, name);
            QCOMPARE(t->text(0, t->characterCount()), child<QLineEdit>(ControlName(d))->text());
        }
        QCOMPARE(reader(window.get())->role(), QAccessible::Window);
        QCOMPARE(reader(canvas)->role(), QAccessible::Graphic);
        QAccessibleInterface *form = reader(window->formWidget());
        for (int i = 0; i < form->childCount(); ++i) {
            QCOMPARE(form->indexOfChild(form->child(i)), i);
            QVERIFY(!subscripts.contains(form->child(i)->object()->objectName()));
        }
        QCOMPARE(form->childCount(), window->formWidget()->children().size() - subscripts.size());
        // A reader selects in a readout and finds its characters where they stand.
        auto *readout = child<QLineEdit>("Text11");
        QAccessibleTextInterface *t = reader(readout)->textInterface();
        t->setSelection(0, 1, 4);
        QCOMPARE(readout->selectedText(), readout->text().mid(1, 3));
        int start = -1, end = -1;
        t->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(1, 4));
        for (int offset = 0; offset < t->characterCount(); ++offset) {
            const QRect r = t->characterRect(offset);
            QVERIFY(QRect(readout->mapToGlobal(QPoint()), readout->size()).contains(r));
            // Text laid out in fractions of a pixel: the middle of a character
            // is the cursor's place before it or after it.
            QVERIFY(qAbs(t->offsetAtPoint(r.center()) - offset - 0.5) < 1);
        }
    }

    // A finger held still on the diagram or the plot opens the menu, with
    // items a finger's height, as a tap on the menu button does; a finger
    // that moves, lifts early or meets a second one does not, nor one on a
    // button, whose tap still clicks. The keys open it as designed.
    void touchOpensTheMenu_data() {
        QTest::addColumn<QString>("on");
        QTest::addColumn<int>("heldMs");
        QTest::addColumn<int>("movedPx");
        QTest::addColumn<bool>("twoFingers");
        QTest::addColumn<bool>("opens");
        QTest::addRow("diagram held") << "Form1" << 700 << 0 << false << true;
        QTest::addRow("plot held") << "Picture1" << 700 << 0 << false << true;
        QTest::addRow("plot held, trembling") << "Picture1" << 700 << 3 << false << true;
        QTest::addRow("diagram held, moved") << "Form1" << 700 << 20 << false << false;
        QTest::addRow("plot tapped") << "Picture1" << 150 << 0 << false << false;
        QTest::addRow("diagram, two fingers") << "Form1" << 700 << 0 << true << false;
        QTest::addRow("menu button tapped") << "MenuButton" << 50 << 0 << false << true;
        QTest::addRow("Start held") << "Command1" << 700 << 0 << false << false;
    }
    void touchOpensTheMenu() {
        QFETCH(QString, on);
        QFETCH(int, heldMs);
        QFETCH(int, movedPx);
        QFETCH(bool, twoFingers);
        QFETCH(bool, opens);
        static QPointingDevice *screen = QTest::createTouchDevice();
        QWidget *button = child("MenuButton"); // a finger's target, named
        QVERIFY(button->width() >= 44 && button->height() >= 44 &&
                !button->accessibleName().isEmpty());
        window->resize(window->maximumSize()); // the plot is in the lower strip
        QWidget *w = child(on);
        // On the diagram: the empty corner where the "Paused" sign shows.
        const QPoint at = on == u"Form1" ? QPoint(ToPixels(8000, 1), ToPixels(1100, 1))
                                         : w->rect().center(),
                     second = at + QPoint(60, 0);
        QVERIFY(!w->childAt(at));
        QTest::touchEvent(window.get(), screen).press(0, at, w);
        if (twoFingers) QTest::touchEvent(window.get(), screen).stationary(0).press(1, second, w);
        if (movedPx) QTest::touchEvent(window.get(), screen).move(0, at + QPoint(movedPx, 0), w);
        QTest::qWait(heldMs);
        QCOMPARE(menu()->isVisible(), opens && on != u"MenuButton");
        auto lift = QTest::touchEvent(window.get(), screen);
        lift.release(0, at, w);
        if (twoFingers) lift.release(1, second, w);
        lift.commit();
        QTRY_COMPARE(menu()->isVisible(), opens); // the lifted finger leaves it open
        QCOMPARE(delivered.join(u','), on == u"Command1" ? u"Command1"_qs : QString());
        if (!opens) return;
        auto lowest = [this] {
            int height = INT_MAX;
            for (QAction *a : menu()->actions())
                if (!a->isSeparator())
                    height = std::min(height, menu()->actionGeometry(a).height());
            return height;
        };
        QVERIFY2(lowest() >= 44, QByteArray::number(lowest()));
        menu()->hide();
        act(u"Shift+F10"_qs);
        QVERIFY(menu()->isVisible() && lowest() < 44);
    }

    // F6 until a marker shows: it clears while paused. The "Paused" sign, in
    // the diagram's upper right corner, small and easy to read at any zoom.
    void thePausedSign() {
        act(u"!Command1"_qs);
        for (int i = 0; i < 2000 && !window->form().ctl.Line18.Visible; ++i) act(u"F6"_qs);
        QVERIFY(window->form().ctl.Line18.Visible);
        QTRY_VERIFY(!window->form().ctl.Line18.Visible);
        for (const char *zoom : {"", "Ctrl++*2"}) {
            act(QString::fromUtf8(zoom));
            const double z = window->zoom();
            const QRect sign = child("PausedSign")->geometry();
            QCOMPARE(sign.right() + 1, ToPixels(8760, z));
            QVERIFY(sign.top() >= ToPixels(1020, z));
            QVERIFY(sign.height() <= ToPixels(300, z) && sign.width() <= ToPixels(1500, z));
            QVERIFY2(contrast(child("PausedSign")->grab().toImage()) >= 4.5,
                     qPrintable(u"%1"_qs.arg(z)));
        }
    }

    // High contrast: the form white, lines two pixels wide; again, as designed.
    void highContrast() {
        window->resize(window->maximumSize());
        const ControlDesign &line = FindControl("Line1");
        const int x = (line.x1 + line.x2) / 2;
        for (const bool high : {true, false}) {
            act(u"#HighContrastAction"_qs);
            QCOMPARE(child<QAction>("HighContrastAction")->isChecked(), high);
            QTRY_COMPARE(shown(600, 600) == 0xFFFFFFu, high);
            QCOMPARE(shown(x, line.y1), 0u);
            QCOMPARE(shown(x, line.y1 - 15) == 0u, high); // the pixel over a one-pixel line
        }
    }

    // The list of keys: every key of the table that does something.
    void theKeysItemListsEveryKey() {
        act(u"#KeysAction"_qs);
        const QString shown = window->classroom().keysHelp()->text();
        for (const ClassroomAction &a : kClassroomActions)
            for (const std::string_view k : a.keys) {
                const QKeySequence keys(ToQString(k), QKeySequence::PortableText);
                QVERIFY2(a.pageOnly || shown.contains(keys.toString(QKeySequence::NativeText)),
                         k.data());
            }
    }

    // The Readouts view shows, copies and saves the program's log: readouts
    // that are not whole set apart, a new one at once.
    void theReadoutsView() {
        Program &p = window->program();
        p.press(*FindButton("Start"), p.clock().now());
        p.runUntil(p.clock().now() + 30000);
        window->syncFromForm();
        act(u"F8"_qs);
        ReadoutsDialog *view = window->readouts();
        QVERIFY(view->isVisible() && !view->isModal());
        p.runUntil(p.clock().now() + 10000);
        auto *table = view->findChild<QTableWidget *>("ReadoutsTable");
        QString shown;
        for (int c = 0; c < table->columnCount(); ++c)
            shown += table->horizontalHeaderItem(c)->text() +
                     (c + 1 < table->columnCount() ? u'\t' : u'\n');
        for (int r = 0; r < table->rowCount(); ++r) {
            QCOMPARE(table->item(r, 0)->font().italic(),
                     !p.readoutLog().readouts()[std::size_t(r)].whole);
            for (int c = 0; c < table->columnCount(); ++c)
                shown += table->item(r, c)->text() + (c + 1 < table->columnCount() ? u'\t' : u'\n');
        }
        view->findChild<QPushButton *>("ReadoutsCopy")->click();
        QCOMPARE(shown, QApplication::clipboard()->text());
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(view->findChild<QTableWidget *>("ReadoutsSummary")->rowCount(), 1);
        QCOMPARE(view->findChild<QWidget *>("ReadoutsChart")->accessibleDescription().toStdString(),
                 DescribeReadoutChart(p.readoutLog(), ".", {}));
        QTemporaryDir dir;
        QVERIFY(view->saveTo(dir.filePath(u"r.csv"_qs)));
        QFile file(dir.filePath(u"r.csv"_qs));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), ReadoutCsv(p.readoutLog()));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
