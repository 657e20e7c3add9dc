#include "gui/form_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "chat/chat_display.h"
#include "chat/chat_window.h"
#include "core/event_loop.h"
#include "core/form.h"
#include "gui/chat_pictures.h"
#include "gui/colors.h"

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }

std::string withoutCarriageReturns(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

// A multi-line box keeps CR LF line ends in the model, as the windows compare and save them.
std::string withCrLf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool startsRowWithLabel(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::ComboBox || k == ControlKind::Slider ||
           k == ControlKind::ProgressBar;
}

bool sitsInButtonRow(ControlKind k) {
    return k == ControlKind::CommandButton || k == ControlKind::CheckBox || k == ControlKind::OptionButton;
}

constexpr int kButtonsPerRow = 5;
constexpr int kEnterKey = 13;

// Hands the Enter key of a text box to its window instead of typing it.
class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QObject* parent, std::function<bool()> onEnter) : QObject(parent), onEnter_(std::move(onEnter)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        return onEnter_();
    }
private:
    std::function<bool()> onEnter_;
};
constexpr int kProgressSteps = 1000;
}  // namespace

struct FormView::Bound {
    Control* control;
    QWidget* widget = nullptr;
    bool painting = false;              // a repaint is setting the widget: its signals are not the operator's
    std::vector<std::string> items;     // list items as last drawn
    size_t chatShown = 0;               // chat lines drawn, and the last of them
    std::string chatLast;
};

FormView::FormView(Form& form, EventLoop& loop)
    : QWidget(nullptr), form_(&form), loop_(loop), alive_(std::make_shared<bool>(true)) {
    setObjectName(qs(form.name()));
    build();
    refreshForm();
}

FormView::~FormView() { *alive_ = false; }

void FormView::detach() {
    *alive_ = false;
    form_ = nullptr;
    for (auto& [c, b] : bound_) b->control = nullptr;
}

QWidget* FormView::widgetFor(const Control& control) const {
    auto it = bound_.find(&control);
    return it == bound_.end() ? nullptr : it->second->widget;
}

void FormView::operatorAction(std::function<void()> work) {
    if (!form_) return;
    loop_.post([alive = alive_, work = std::move(work)] {
        if (*alive) work();
    });
}

// ---- building

void FormView::build() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    root_ = new QWidget;
    scroll->setWidget(root_);

    // Widgets first (containers give their children an area), then each area's layout.
    for (Control* c : form_->controls()) makeWidget(*c);
    layOut(nullptr, root_);
    for (Control* c : form_->controls())
        if (c->kind() == ControlKind::Frame || c->kind() == ControlKind::TabPage) layOut(c, areas_[c]);
    for (auto& [c, b] : bound_) paint(*b);
}

QWidget* FormView::makeWidget(Control& control) {
    auto bound = std::make_unique<Bound>();
    Bound* b = bound.get();
    b->control = &control;
    QWidget* w = nullptr;
    switch (control.kind()) {
    case ControlKind::Label: {
        auto* l = new QLabel;
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        w = l;
        break;
    }
    case ControlKind::TextBox: {
        auto& box = static_cast<TextBox&>(control);
        // A window that acts on Enter gets it (on the loop, after what was typed before it); a
        // multi-line box whose window lets the key stand then takes the new line.
        auto onEnter = [this, b] {
            auto* m = static_cast<TextBox*>(b->control);
            if (!m || !m->hasKeyPress()) return false;
            operatorAction([m] {
                if (m->operatorKey(kEnterKey) && m->multiLine) m->operatorType(m->text() + "\r\n");
            });
            return true;
        };
        if (box.multiLine) {
            auto* e = new QPlainTextEdit;
            e->installEventFilter(new EnterKeyFilter(e, onEnter));
            QObject::connect(e, &QPlainTextEdit::textChanged, this, [this, b, e] {
                if (b->painting || !b->control) return;
                auto* m = static_cast<TextBox*>(b->control);
                const std::string typed = withCrLf(e->toPlainText().toStdString());
                operatorAction([m, typed] { m->operatorType(typed); });
            });
            w = e;
        } else {
            auto* e = new QLineEdit;
            e->installEventFilter(new EnterKeyFilter(e, onEnter));
            if (box.numberOnly) e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
            QObject::connect(e, &QLineEdit::textEdited, this, [this, b](const QString& text) {
                if (b->painting || !b->control) return;
                auto* m = static_cast<TextBox*>(b->control);
                const std::string typed = text.toStdString();
                operatorAction([m, typed] { m->operatorType(typed); });
            });
            w = e;
        }
        break;
    }
    case ControlKind::CheckBox: {
        auto* cb = new QCheckBox;
        cb->setTristate(true);   // only to show the greyed value; a click toggles ticked and unticked
        QObject::connect(cb, &QCheckBox::clicked, this, [this, b] {
            if (!b->control) return;
            paint(*b);   // the model decides what the click means
            Control* m = b->control;
            operatorAction([m] { m->operatorClick(); });
        });
        w = cb;
        break;
    }
    case ControlKind::OptionButton: {
        auto* rb = new QRadioButton;
        rb->setAutoExclusive(false);   // the model keeps the groups
        QObject::connect(rb, &QRadioButton::clicked, this, [this, b] {
            if (!b->control) return;
            paint(*b);
            Control* m = b->control;
            operatorAction([m] { m->operatorClick(); });
        });
        w = rb;
        break;
    }
    case ControlKind::CommandButton: {
        auto* pb = new QPushButton;
        if (dynamic_cast<Messages*>(form_)) {
            if (auto icon = chatButtonIcon(control.name())) {
                pb->setIcon(*icon);
                pb->setIconSize(icon->availableSizes().value(0, QSize(19, 19)));
            }
        }
        QObject::connect(pb, &QPushButton::clicked, this, [this, b] {
            if (!b->control) return;
            Control* m = b->control;
            operatorAction([m] { m->operatorClick(); });
        });
        w = pb;
        break;
    }
    case ControlKind::ListBox: {
        if (dynamic_cast<ChatDisplay*>(&control)) {
            auto* tb = new QTextBrowser;
            tb->setOpenLinks(false);
            tb->document()->setMaximumBlockCount(static_cast<int>(ChatDisplay::kMaxLines));
            registerChatPictures(*tb->document());
            w = tb;
            break;
        }
        auto* lw = new QListWidget;
        QObject::connect(lw, &QListWidget::currentRowChanged, this, [this, b](int row) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<ListBox*>(b->control);
            operatorAction([m, row] { m->setListIndex(row); });
        });
        w = lw;
        break;
    }
    case ControlKind::ComboBox: {
        auto* cb = new QComboBox;
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(cb, QOverload<int>::of(&QComboBox::activated), this, [this, b](int i) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<ComboBox*>(b->control);
            operatorAction([m, i] { m->setListIndex(i); });
        });
        QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, this, [this, b](const QString& text) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<ComboBox*>(b->control);
            const std::string typed = text.toStdString();
            operatorAction([m, typed] { m->setText(typed); });
        });
        w = cb;
        break;
    }
    case ControlKind::Slider: {
        auto& model = static_cast<Slider&>(control);
        auto* s = new QSlider(Qt::Horizontal);
        s->setRange(std::min(model.min(), model.max()), std::max(model.min(), model.max()));
        s->setInvertedAppearance(model.min() > model.max());
        QObject::connect(s, &QSlider::valueChanged, this, [this, b](int v) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<Slider*>(b->control);
            operatorAction([m, v] { m->setValue(v); });
        });
        w = s;
        break;
    }
    case ControlKind::ProgressBar: {
        auto* p = new QProgressBar;
        p->setRange(0, kProgressSteps);
        p->setTextVisible(false);
        w = p;
        break;
    }
    case ControlKind::Frame: {
        auto* g = new QGroupBox;
        areas_[&control] = g;
        w = g;
        break;
    }
    case ControlKind::TabStrip: {
        auto* t = new QTabWidget;
        QObject::connect(t, &QTabWidget::currentChanged, this, [this, b](int i) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<TabStrip*>(b->control);
            operatorAction([m, i] { m->setCurrentTab(i); });
        });
        w = t;
        break;
    }
    case ControlKind::TabPage: {
        auto* page = new QWidget;
        areas_[&control] = page;
        if (Control* strip = control.container()) {
            auto it = bound_.find(strip);
            if (it != bound_.end()) {
                auto* tabs = static_cast<QTabWidget*>(it->second->widget);
                const QSignalBlocker block(tabs);
                tabs->addTab(page, qs(static_cast<TabPage&>(control).caption()));
            }
        }
        w = page;
        break;
    }
    }
    w->setObjectName(qs(control.name()));
    b->widget = w;
    bound_[&control] = std::move(bound);
    return w;
}

// Children of a frame, a tab page or the window, in the order they were declared. Where every
// child has a size and place the window gives, they go there; otherwise they flow in rows: a
// caption beside the box it names, buttons and ticks a few to a row, everything else a row each.
void FormView::layOut(Control* container, QWidget* area) {
    std::vector<Control*> children;
    for (Control* c : form_->controls())
        if (c->container() == container && c->kind() != ControlKind::TabPage) children.push_back(c);

    const bool placed = !children.empty() && std::all_of(children.begin(), children.end(), [](Control* c) {
        return c->geometry.width > 0 && c->geometry.height > 0;
    });
    if (placed) {
        int right = 0, bottom = 0;
        for (Control* c : children) {
            QWidget* w = bound_[c]->widget;
            w->setParent(area);
            const auto& g = c->geometry;
            w->setGeometry(twipsToPixels(g.left), twipsToPixels(g.top), twipsToPixels(g.width), twipsToPixels(g.height));
            right = std::max(right, twipsToPixels(g.left + g.width));
            bottom = std::max(bottom, twipsToPixels(g.top + g.height));
        }
        area->setMinimumSize(right + 8, bottom + 8);
        return;
    }

    auto* column = new QVBoxLayout(area);
    for (size_t i = 0; i < children.size(); ++i) {
        Control* c = children[i];
        QWidget* w = bound_[c]->widget;
        if (c->kind() == ControlKind::Label && i + 1 < children.size() && startsRowWithLabel(children[i + 1]->kind()) &&
            !(children[i + 1]->kind() == ControlKind::TextBox && static_cast<TextBox*>(children[i + 1])->multiLine)) {
            auto* row = new QHBoxLayout;
            row->addWidget(w);
            row->addWidget(bound_[children[i + 1]]->widget, 1);
            column->addLayout(row);
            ++i;
        } else if (sitsInButtonRow(c->kind())) {
            auto* row = new QHBoxLayout;
            int n = 0;
            // A group of options has a row of its own.
            auto sameGroup = [&](size_t k) {
                const bool option = children[k]->kind() == ControlKind::OptionButton;
                const bool before = children[k - 1]->kind() == ControlKind::OptionButton;
                if (option != before) return false;
                return !option || static_cast<OptionButton*>(children[k])->group() ==
                                      static_cast<OptionButton*>(children[k - 1])->group();
            };
            while (i < children.size() && sitsInButtonRow(children[i]->kind()) && n < kButtonsPerRow &&
                   (n == 0 || sameGroup(i))) {
                row->addWidget(bound_[children[i]]->widget);
                ++i;
                ++n;
            }
            --i;
            row->addStretch(1);
            column->addLayout(row);
        } else {
            column->addWidget(w);
        }
    }
    column->addStretch(1);
}

// ---- repainting

void FormView::refreshControl(Control& control) {
    auto it = bound_.find(&control);
    if (it == bound_.end() || !it->second->control) return;
    paint(*it->second);
}

void FormView::applyCommon(Bound& b) {
    Control& c = *b.control;
    QWidget* w = b.widget;
    if (c.kind() != ControlKind::TabPage && w->isHidden() == c.visible()) w->setVisible(c.visible());
    if (w->isEnabled() != c.enabled()) w->setEnabled(c.enabled());
    if (w->toolTip() != qs(c.toolTip())) w->setToolTip(qs(c.toolTip()));
    // A size the window gives (a box made taller or shorter) applies also where the rest flows.
    if (c.geometry.height > 0 && c.geometry.width == 0) w->setFixedHeight(twipsToPixels(c.geometry.height));
    if (c.geometry.width > 0 && c.geometry.height == 0) w->setFixedWidth(twipsToPixels(c.geometry.width));
}

void FormView::paint(Bound& b) {
    ++repaints_;
    b.painting = true;
    Control& c = *b.control;
    QWidget* w = b.widget;
    const QSignalBlocker block(w);
    switch (c.kind()) {
    case ControlKind::Label: {
        auto& m = static_cast<Label&>(c);
        auto* l = static_cast<QLabel*>(w);
        const QString caption = qs(withoutCarriageReturns(m.caption()));
        if (l->text() != caption) l->setText(caption);
        QPalette pal = QApplication::palette(l);
        const auto back = vbColor(m.backColor());
        if (back) pal.setColor(QPalette::Window, *back);
        if (auto fore = vbColor(m.foreColor())) pal.setColor(QPalette::WindowText, *fore);
        l->setAutoFillBackground(back.has_value());
        l->setPalette(pal);
        break;
    }
    case ControlKind::TextBox: {
        auto& m = static_cast<TextBox&>(c);
        QPalette pal = QApplication::palette(w);
        if (auto back = vbColor(m.backColor)) pal.setColor(QPalette::Base, *back);
        if (auto fore = vbColor(m.foreColor)) pal.setColor(QPalette::Text, *fore);
        w->setPalette(pal);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->setReadOnly(m.locked);
            e->setMaxLength(m.maxLength > 0 ? m.maxLength : 32767);
            if (e->text() != qs(m.text())) {
                const int caret = e->cursorPosition();
                e->setText(qs(m.text()));
                e->setCursorPosition(std::min(caret, static_cast<int>(e->text().size())));
            }
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            p->setReadOnly(m.locked);
            const QString shown = qs(withoutCarriageReturns(m.text()));
            if (p->toPlainText() != shown) p->setPlainText(shown);
        }
        break;
    }
    case ControlKind::CheckBox: {
        auto& m = static_cast<CheckBox&>(c);
        auto* cb = static_cast<QCheckBox*>(w);
        if (cb->text() != qs(m.caption())) cb->setText(qs(m.caption()));
        const Qt::CheckState state =
            m.value() == 1 ? Qt::Checked : m.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
        if (cb->checkState() != state) cb->setCheckState(state);
        break;
    }
    case ControlKind::OptionButton: {
        auto& m = static_cast<OptionButton&>(c);
        auto* rb = static_cast<QRadioButton*>(w);
        if (rb->text() != qs(m.caption())) rb->setText(qs(m.caption()));
        if (rb->isChecked() != m.value()) rb->setChecked(m.value());
        break;
    }
    case ControlKind::CommandButton: {
        auto& m = static_cast<CommandButton&>(c);
        auto* pb = static_cast<QPushButton*>(w);
        const QString caption = pb->icon().isNull() ? qs(m.caption()) : QString();
        if (pb->text() != caption) pb->setText(caption);
        break;
    }
    case ControlKind::ListBox: {
        if (auto* chat = dynamic_cast<ChatDisplay*>(&c)) {
            drawChatLines(*static_cast<QTextBrowser*>(w), *chat, b.chatShown, b.chatLast);
            break;
        }
        auto& m = static_cast<ListBox&>(c);
        auto* lw = static_cast<QListWidget*>(w);
        if (b.items != m.items()) {
            lw->clear();
            for (const auto& s : m.items()) lw->addItem(qs(s));
            b.items = m.items();
        }
        if (lw->currentRow() != m.listIndex()) lw->setCurrentRow(m.listIndex());
        break;
    }
    case ControlKind::ComboBox: {
        auto& m = static_cast<ComboBox&>(c);
        auto* cb = static_cast<QComboBox*>(w);
        if (b.items != m.items()) {
            cb->clear();
            for (const auto& s : m.items()) cb->addItem(qs(s));
            b.items = m.items();
        }
        if (cb->currentIndex() != m.listIndex()) cb->setCurrentIndex(m.listIndex());
        if (cb->currentText() != qs(m.text())) cb->setEditText(qs(m.text()));
        break;
    }
    case ControlKind::Slider: {
        auto& m = static_cast<Slider&>(c);
        auto* s = static_cast<QSlider*>(w);
        if (s->value() != m.value()) s->setValue(m.value());
        break;
    }
    case ControlKind::ProgressBar: {
        auto& m = static_cast<ProgressBar&>(c);
        auto* p = static_cast<QProgressBar*>(w);
        const double span = m.max - m.min;
        const double share = span > 0 ? std::clamp((m.value() - m.min) / span, 0.0, 1.0) : 0.0;
        const int v = static_cast<int>(share * kProgressSteps + 0.5);
        if (p->value() != v) p->setValue(v);
        break;
    }
    case ControlKind::Frame: {
        auto* g = static_cast<QGroupBox*>(w);
        const QString caption = qs(static_cast<Frame&>(c).caption());
        if (g->title() != caption) g->setTitle(caption);
        break;
    }
    case ControlKind::TabStrip: {
        auto* t = static_cast<QTabWidget*>(w);
        const int i = static_cast<TabStrip&>(c).currentTab();
        if (i >= 0 && i < t->count() && t->currentIndex() != i) t->setCurrentIndex(i);
        break;
    }
    case ControlKind::TabPage: {
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
            const int i = tabs->indexOf(w);
            const QString caption = qs(static_cast<TabPage&>(c).caption());
            if (i >= 0 && tabs->tabText(i) != caption) tabs->setTabText(i, caption);
            if (i >= 0) tabs->setTabVisible(i, c.visible());
        }
        break;
    }
    }
    applyCommon(b);
    b.painting = false;
}

void FormView::refreshForm() {
    if (!form_) return;
    const QString title = qs(form_->caption().empty() ? form_->name() : form_->caption());
    if (windowTitle() != title) setWindowTitle(title);
    if (form_->Left != placedLeft_ || form_->Top != placedTop_) {
        placedLeft_ = form_->Left;
        placedTop_ = form_->Top;
        applyingPlace_ = true;
        move(twipsToPixels(form_->Left), twipsToPixels(form_->Top));
        applyingPlace_ = false;
    }
    if (form_->Width > 0 && form_->Height > 0) {
        // Only a size the window sets anew applies: the operator's own resizing stays.
        if (form_->Width != sizedWidth_ || form_->Height != sizedHeight_) {
            sizedWidth_ = form_->Width;
            sizedHeight_ = form_->Height;
            resize(twipsToPixels(form_->Width), twipsToPixels(form_->Height));
        }
    } else if (!isVisible()) {
        const QSize hint = root_->sizeHint();
        resize(std::min(hint.width() + 24, 900), std::min(hint.height() + 8, 700));
    }
    if (isVisible() != form_->visible()) setVisible(form_->visible());
}

void FormView::closeEvent(QCloseEvent* event) {
    event->ignore();   // the window decides: it may hide, unload or stay
    Form* f = form_;
    operatorAction([f] { f->closeRequest(); });
}

void FormView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (applyingPlace_ || !form_ || !isVisible()) return;
    // The operator moved the window: the model keeps the place, as it saves it.
    const int left = pos().x() * kTwipsPerPixel, top = pos().y() * kTwipsPerPixel;
    placedLeft_ = left;
    placedTop_ = top;
    Form* f = form_;
    operatorAction([f, left, top] {
        f->Left = left;
        f->Top = top;
    });
}
