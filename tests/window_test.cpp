// The window as a user meets it. Most of it is the table of sessions in
// tests/window_sessions.txt: what a user types, clicks, presses and touches,
// and what the window shows after it; after every session the boxes, the
// controls' places and what a screen reader hears agree with the program.
// The rest needs more than a session: a change of the Form painted, the
// Readouts view against the program's log, and the window in each language:
// names for a screen reader, captions that fit.
#include <QtTest>
#include <QtWidgets>
#include <map>
#include <memory>

#include "app/classroom.h"
#include "app/readout_report.h"
#include "app/window_description.h"
#include "view/classroom_actions.h"
#include "view/main_window.h"
#include "view/readouts_dialog.h"
#include "view/translation.h"
#include "view/twips.h"

using namespace transistor;

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    QStringList delivered;      // the events the window handed to the program, in order
    QWidget *touched = nullptr; // where fingers are down, and how many
    QPoint touchAt;
    int fingers = 0;

    template <class T = QWidget> T *child(const QString &name) const {
        return window->findChild<T *>(name);
    }
    QMenu *menu() const { return window->classroom().menu(); }
    QRgb shown(int x, int y) const { // twips; what the screen shows now
        QApplication::processEvents();
        const QImage image = window->screen()->grabWindow(window->winId()).toImage();
        return image.pixelColor(x / 15, y / 15).rgb() & 0xFFFFFF;
    }

    // A colour's luminance, as the readability guidelines for the web
    // measure contrast: (L1 + 0.05) / (L2 + 0.05).
    static double luminance(QColor c) {
        auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
               0.0722 * linear(c.blueF()) + 0.05;
    }

    // Does what a session of tests/window_sessions.txt says, and checks
    // what a word "name=value" says.
    void act(const QString &session) {
        static const QRegularExpression check(u"^(~?)([a-z]\\w*)=(.*)$"_qs);
        for (const QString &word : session.split(u' ', Qt::SkipEmptyParts)) {
            const QString w = word.section(u'*', 0, 0);
            for (int n = word.contains(u'*') ? word.section(u'*', 1).toInt() : 1; n > 0; --n) {
                const auto is = check.match(w);
                if (is.hasMatch() && is.captured(1).isEmpty())
                    QCOMPARE(is.captured(2) + u'=' + shows(is.captured(2)), w);
                else if (is.hasMatch()) // "~": in a while
                    QTRY_COMPARE(u'~' + is.captured(2) + u'=' + shows(is.captured(2)), w);
                else
                    one(w);
            }
        }
    }
    void one(const QString &w) {
        static const QRegularExpression box(u"^(Text\\d+)=(.*)$"_qs), wxh(u"^(\\d+)x(\\d+)$"_qs);
        const auto typed = box.match(w), sized = wxh.match(w);
        static QPointingDevice *screen = QTest::createTouchDevice();
        auto touch = [this] { return QTest::touchEvent(window.get(), screen); };
        const QPoint at(5, 5), second = touchAt + QPoint(60, 0);
        QWheelEvent wheel(at, window->mapToGlobal(at), {}, {0, w == u"^" ? 120 : -120},
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QContextMenuEvent right(QContextMenuEvent::Mouse, at, child("Picture1")->mapToGlobal(at));
        if (typed.hasMatch()) { // over the box's text, all selected
            child(typed.captured(1))->setFocus();
            for (const auto k : {QKeySequence::SelectAll, QKeySequence::Delete})
                QTest::keySequence(qApp->focusWidget(), k);
            return QTest::keyClicks(qApp->focusWidget(), typed.captured(2));
        }
        if (sized.hasMatch())
            return window->resize(sized.captured(1).toInt(), sized.captured(2).toInt());
        if (w.startsWith(u'@')) return child(w.mid(1))->setFocus(Qt::TabFocusReason);
        if (w.startsWith(u'!')) return child<QPushButton>(w.mid(1))->click();
        if (w.startsWith(u'#')) return child<QAction>(w.mid(1))->trigger();
        if (w == u"^" || w == u"v") return void(QApplication::sendEvent(window.get(), &wheel));
        if (w == u"right") return void(QApplication::sendEvent(child("Picture1"), &right));
        if (w.startsWith(u"wait")) return QTest::qWait(w.mid(4).toInt());
        if (w == u"close") return void(window->close());
        if (w == u"sync") return window->syncFromForm();
        if (w == u"ok")
            return window->messageBox()->accept(), void(QTest::qWaitForWindowActive(window.get()));
        if (w == u"second") return void(touch().stationary(0).press(fingers++, second, touched));
        if (w.startsWith(u"move"))
            return void(touch().move(0, touchAt + QPoint(w.mid(4).toInt(), 0), touched));
        if (w == u"lift") {
            auto lift = touch();
            lift.release(0, touchAt, touched);
            if (std::exchange(fingers, 0) > 1) lift.release(1, second, touched);
            return;
        }
        if (w.startsWith(u"hold@")) {
            window->resize(window->maximumSize()); // the plot is in the lower strip
            touched = child(w.mid(5));
            // On the diagram: its empty corner where the "Paused" sign shows.
            touchAt = touched == window->formWidget() ? QPoint(533, 73) : touched->rect().center();
            QVERIFY(!touched->childAt(touchAt));
            return void(touch().press(fingers++, touchAt, touched));
        }
        // A key goes where a real one would: to an open popup, else to the focus.
        const QKeyCombination k = QKeySequence(w)[0];
        QWidget *to = qApp->activePopupWidget() ? qApp->activePopupWidget() : qApp->focusWidget();
        QTest::keyClick(to, k.key(), k.keyboardModifiers());
    }

    // What the window shows, by the names of tests/window_sessions.txt.
    QString shows(const QString &name) const {
        QWidget *focus = QApplication::focusWidget(), *form = window->formWidget();
        const auto *scroll = child<QScrollArea>("FormScroll");
        const QImage clip = QApplication::clipboard()->image();
        const ControlDesign &line = FindControl("Line1");
        const double z = window->zoom();
        auto size = [](QSize s) { return u"%1x%2"_qs.arg(s.width()).arg(s.height()); };
        bool is = false;
        if (name == u"zoom") return QString::number(z);
        if (name == u"size") return size(window->size());
        if (name == u"focus") return focus ? focus->objectName() : QString();
        if (QVariant v = focus ? focus->property(name.toUtf8()) : QVariant(); v.isValid())
            return v.toString();
        if (name == u"events") return delivered.join(u',');
        if (name == u"copied") return QApplication::clipboard()->text();
        if (name == u"inview")
            is = QRect(form->mapFrom(scroll->viewport(), QPoint()), scroll->viewport()->size())
                     .contains(QRect(focus->mapTo(form, QPoint()), focus->size()));
        if (name == u"bar") is = scroll->verticalScrollBar()->isVisible();
        if (name == u"paused") is = window->program().paused();
        if (name == u"marker") is = window->form().ctl.Line18.Visible;
        if (name == u"sign") { // at the right of the diagram's empty upper corner, easy to read
            const QWidget *sign = child("PausedSign");
            const QRect r = sign->geometry(), corner(7260, 1020, 1500, 300);
            is = sign->isVisible() && r.right() + 1 == ToPixels(8760, z) &&
                 CoveringPixels(corner, z).contains(r) &&
                 luminance(sign->palette().color(QPalette::Window)) >=
                     4.5 * luminance(sign->palette().color(QPalette::WindowText));
        }
        if (name == u"resume") is = child<QAction>("PauseAction")->text() == u"&Resume";
        if (name == u"wakes") is = child<QTimer>("Wake")->isActive();
        if (name == u"menu") is = menu()->isVisible();
        if (name == u"popup")
            is = !QList<QWidget *>{nullptr, menu()}.contains(qApp->activePopupWidget());
        if (name == u"msg") is = window->messageBox() && window->messageBox()->isVisible();
        if (name == u"readouts") is = window->readouts() && window->readouts()->isVisible();
        // The form's background, and the pixel over Line1, drawn one pixel
        // wide as designed.
        if (name == u"white") is = shown(600, 600) == 0xFFFFFFu;
        if (name == u"thick") is = shown((line.x1 + line.x2) / 2, line.y1 - 15) == 0u;
        if (name == u"fullpaint") // painted change by change, as a full paint draws it
            is = window->grab().toImage() ==
                 (QApplication::processEvents(), window->screen()->grabWindow(window->winId()))
                     .toImage();
        bool wrong = false; // an item of the classroom table that the menu lacks, or one more
        for (const ClassroomAction &a : kClassroomActions)
            wrong |= menu()->actions().contains(child<QAction>(ToQString(a.name) + u"Action"_qs)) !=
                     (a.group >= 0 && !a.pageOnly);
        if (name == u"items") return QString::number(!wrong);
        if (name == u"tall") // every item of the menu a finger's height
            is = std::ranges::all_of(menu()->actions(), [this](QAction *a) {
                return a->isSeparator() || menu()->actionGeometry(a).height() >= kTouchTarget;
            });
        if (name == u"keys") is = window->classroom().keysHelp()->isVisible();
        // On white, Line1 black where it belongs.
        if (name == u"clip")
            return clip.isNull() || clip.pixelColor(2, 2) != Qt::white ||
                           clip.pixelColor(ToPixels((line.x1 + line.x2) / 2, z),
                                           ToPixels(line.y1, z)) != Qt::black
                       ? u"bad"_qs
                       : size(clip.size());
        if (name == u"closed") // no, by a button, by the frame
            return window->isVisible()
                       ? u"no"_qs
                       : QString(window->form().feedback.closed ? "button" : "frame");
        return QString::number(is);
    }

  private slots:
    void init() { // also a fresh window for each row of a table
        QApplication::clipboard()->clear();
        window = std::make_unique<MainWindow>();
        delivered.clear();
        connect(window.get(), &MainWindow::delivered, [&](const QString &c) { delivered << c; });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void aSession_data() {
        QTest::addColumn<QString>("session");
        QFile file(QFINDTESTDATA("window_sessions.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        for (QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
            if (line.contains(u'|') && !line.startsWith(u"# "))
                QTest::addRow("%s", qPrintable(line)) << line.replace(u'|', u' ');
    }
    void aSession() {
        QFETCH(QString, session);
        act(session);
        // The boxes, the controls' places and what a screen reader hears of
        // the drawings and the window: as the program has them.
        for (const ControlDesign &d : WindowDescription()) {
            QWidget *w = child(ControlName(d));
            if (w && !qobject_cast<QLabel *>(w))
                QCOMPARE(w->geometry(), ToPixels(d, window->zoom()));
            if (d.kind == ControlKind::TextBox)
                QCOMPARE(qobject_cast<QLineEdit *>(w)->text().toStdString(),
                         *TextBox(window->form().ctl, d.name));
        }
        const Program &p = window->program();
        for (const auto &[w, text] : {std::pair{child("DiagramCanvas"), p.diagramDescription()},
                                      {child("Picture1"), p.plotDescription()},
                                      {window.get(), p.windowDescription()}})
            QCOMPARE(w->accessibleDescription().toStdString(), text);
    }

    // A tick's carrier drawn at its new place and erased at its old one; a
    // point of the plot drawn, and gone once a sweep has wrapped; a marker
    // not shown at load.
    void aChangeOfTheFormIsRepainted() {
        window->resize(window->maximumSize());
        const ControlDesign &marker = FindControl("Line18");
        QVERIFY(shown((marker.x1 + marker.x2) / 2, marker.y1) != marker.color);
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

    // The Readouts view shows the program's log, the readouts that are not
    // whole set apart, a new one at once; it copies the table and saves it.
    void theReadoutsView() {
        Program &p = window->program();
        const ReadoutLog &log = p.readoutLog();
        act(u"!Command1"_qs);
        p.runUntil(p.clock().now() + 30000);
        act(u"F8 readouts=1"_qs);
        p.runUntil(p.clock().now() + 10000);
        const auto *table = child<QTableWidget>("ReadoutsTable");
        QCOMPARE(std::size_t(table->rowCount()), log.readouts().size());
        for (int r = 0; r < table->rowCount(); ++r) {
            QCOMPARE(table->item(r, 0)->font().italic(), !log.readouts()[r].whole);
            for (int c = 0; c < table->columnCount(); ++c)
                QCOMPARE(table->item(r, c)->text().toStdString(),
                         ReadoutCells(log.readouts()[r], ".", {})[c]);
        }
        act(u"!ReadoutsCopy"_qs);
        QCOMPARE(qApp->clipboard()->text().toStdString(), ReadoutTsv(log, ".", {}));
        QCOMPARE(child("ReadoutsChart")->accessibleDescription().toStdString(),
                 DescribeReadoutChart(log, ".", {}));
        QTemporaryDir dir;
        QFile file(dir.filePath(u"r.csv"_qs));
        QVERIFY(window->readouts()->saveTo(file.fileName()) && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), ReadoutCsv(log));
    }

    // The window in the language of its locale: ctest runs this once per
    // locale (tests/language.cmake), naming the language the window must
    // show in TRANSISTOR_LANGUAGE ("en", "ja", or "designed" for the texts as
    // designed), and once without, as designed. Every control named,
    // described and tool-tipped for a screen reader as the window
    // description has it (drawn shapes too), in the role of its kind; a
    // readout read-only; a caption labels its box; the form heard without
    // the band letters' subscripts. Under English no CJK in any label,
    // button or message; under Japanese the buttons in Japanese. At every
    // zoom: every caption whole inside its label (the large band letters
    // overlap by design), a label that grew for a longer caption covering no
    // other control, no caption touching a line of the drawing, every
    // button's text inside it.
    void theWindowInTheLanguageOfTheLocale() {
        const QString language = qEnvironmentVariable("TRANSISTOR_LANGUAGE", u"designed"_qs);
        const bool designed = language == u"designed", ja = language == u"ja";
        if (qEnvironmentVariableIsSet("TRANSISTOR_LANGUAGE"))
            QCOMPARE(InstallTranslation(*qApp), designed ? QString() : language);
        init();
        using A = QAccessible;
        using K = ControlKind;
        const std::map<K, A::Role> roles = {
            {K::Label, A::StaticText}, {K::TextBox, A::EditableText}, {K::Button, A::Button}};
        QWidget *canvas = child("DiagramCanvas");
        auto reader = [](QObject *o) { return A::queryAccessibleInterface(o); };
        QStringList subscripts;
        for (const ControlDesign &d : WindowDescription()) {
            const QString tip = QString::fromStdString(ToolTip(d, WindowTranslate()));
            QWidget *w = child(ControlName(d));
            if (!w && !d.accessibleDescription.empty()) { // a drawn shape
                const QPoint at((d.left + d.width / 2) / 15, (d.top + d.height / 2) / 15);
                QHelpEvent help(QEvent::ToolTip, at, canvas->mapToGlobal(at));
                QApplication::sendEvent(canvas, &help);
                QTRY_COMPARE(QToolTip::text(), tip);
            }
            if (!w || !roles.count(d.kind)) continue;
            QAccessibleInterface *a = reader(w);
            QCOMPARE(a->role(), roles.at(d.kind));
            QCOMPARE(a->text(A::Name),
                     Translated(d.accessibleName.empty() ? d.caption : d.accessibleName));
            QCOMPARE(a->text(A::Description), Translated(d.accessibleDescription));
            if (!d.accessibleDescription.empty()) QCOMPARE(w->toolTip(), tip);
            if (!d.buddy.empty())
                QCOMPARE(reader(child(ToQString(d.buddy)))->relations()[0].first->object(), w);
            if (d.subscript) subscripts << ControlName(d);
            if (d.kind != K::TextBox) continue;
            QCOMPARE(bool(a->state().readOnly), d.readOnly);
            QCOMPARE(bool(a->state().editable), !d.readOnly);
            QVERIFY(a->state().focusable);
            QCOMPARE(a->textInterface()->text(0, 99), child<QLineEdit>(ControlName(d))->text());
        }
        QCOMPARE(reader(window.get())->role(), A::Window);
        QCOMPARE(reader(canvas)->role(), A::Graphic);
        QCOMPARE(reader(child("Picture1"))->role(), A::Chart);
        QAccessibleInterface *form = reader(window->formWidget());
        for (int i = 0; i < form->childCount(); ++i) {
            QCOMPARE(form->indexOfChild(form->child(i)), i);
            QVERIFY(!subscripts.contains(form->child(i)->object()->objectName()));
        }
        QCOMPARE(form->childCount(), window->formWidget()->children().size() - subscripts.size());
        // A reader selects in a readout.
        auto *readout = child<QLineEdit>("Text11");
        QAccessibleTextInterface *t = reader(readout)->textInterface();
        t->setSelection(0, 1, 4);
        QCOMPARE(readout->selectedText(), readout->text().mid(1, 3));
        static const QRegularExpression cjk(
            u"[\u3000-\u30FF\u4E00-\u9FFF\uFF00-\uFFEF\\x{10000}-\\x{10FFFF}]"_qs);
        QCOMPARE(window->windowTitle().contains(cjk), ja);
        act(u"Text1=warm !Command1 msg=1"_qs);
        QCOMPARE(window->messageBox()->windowTitle(), window->windowTitle());
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const QString text = w->property("text").toString();
            if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w))
                QVERIFY2(language != u"en" || !text.contains(cjk), qPrintable(text));
            // The menu button shows a sign, not a word.
            if (qobject_cast<QPushButton *>(w) && w->parent() == window->formWidget() &&
                w != child("MenuButton"))
                QCOMPARE(text.contains(cjk), ja);
        }
        int translated = 0;
        for (const double zoom : {1.0, 1.25, 2.0, 3.0}) {
            window->setZoom(zoom);
            for (const ControlDesign &c : WindowDescription()) {
                if (auto *b = child<QPushButton>(ControlName(c)))
                    QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) + 8 <= b->width());
                auto *l = child<QLabel>(ControlName(c));
                if (!l) continue;
                translated += l->text() != ToQString(c.caption);
                const QRect room = l->contentsRect();
                const int flags = (l->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignTop |
                                  (l->alignment() & Qt::AlignHorizontal_Mask);
                const QRect text = l->fontMetrics().boundingRect(
                    room.adjusted(0, 0, 0, 10 * room.height()), flags, l->text());
                const bool plain = c.font == FontKind::Default;
                QVERIFY2(!plain || room.contains(text), c.name.data());
                for (const ControlDesign &o : WindowDescription()) {
                    const QWidget *other = child(ControlName(o));
                    const auto [x1, x2] = std::minmax(o.x1, o.x2);
                    const auto [y1, y2] = std::minmax(o.y1, o.y2);
                    const QRectF line(x1, y1, x2 - x1 + 15, y2 - y1 + 15);
                    QVERIFY2(o.kind != ControlKind::Line || !o.container.empty() ||
                                 !text.translated(l->pos()).intersects(CoveringPixels(line, zoom)),
                             c.name.data());
                    QVERIFY2(!plain || l->geometry() == ToPixels(c, zoom) || !other || other == l ||
                                 !other->geometry().intersects(l->geometry()),
                             c.name.data());
                }
            }
        }
        QCOMPARE(translated > 0, !designed);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
