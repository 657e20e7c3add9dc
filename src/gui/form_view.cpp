#include "gui/form_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
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
#include <set>
#include <utility>

#include "chat/chat_display.h"
#include "chat/chat_window.h"
#include "core/event_loop.h"
#include "core/form.h"
#include "gui/chat_pictures.h"
#include "gui/colors.h"
#include "gui/screen_fit.h"
#include "gui/steady_tabs.h"

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
constexpr int kScrollBarAllowance = 20;   // room for a scroll bar where the contents do not fit
constexpr int kFrameMargin = 8;
constexpr int kEnterKey = 13;
constexpr int kBelowViewTop = 20000;      // pixels: further down than any screen reaches

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

// A caption is stored as the windows have always kept it, a doubled "&" standing for one; a lone
// "&" shows as it stands. No caption marks a shortcut key.
QString shownCaption(const std::string& caption) {
    return QString::fromStdString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// A button, a frame, a tab or a label with a buddy reads "&" as the mark of its shortcut key:
// each "&" of the words doubled, they show as they stand and make none.
QString withoutShortcut(const QString& shown) {
    QString out = shown;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

struct FormView::Bound {
    Control* control;
    QWidget* widget = nullptr;
    bool painting = false;              // a repaint is setting the widget: its signals are not the operator's
    bool pending = false;               // waits in the view's pending changes
    bool coloured = false;              // the colours below are on the widget
    std::int64_t backDrawn = -1, foreDrawn = -1;
    std::vector<std::string> items;     // list items as last drawn
    ChatDrawn chatDrawn;                // what a chat display's browser has drawn
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

void FormView::operatorAction(std::function<void()> work, const Control* control) {
    if (!form_) return;
    loop_.post([alive = alive_, form = form_, control, work = std::move(work)] {
        if (!*alive) return;
        if (control)
            form->asOperator(*control, work);
        else
            form->asOperator("window", work);
    });
}

// ---- building

// A fixed frame has no maximise button; a tool frame has no minimise button either.
void FormView::applyFrameStyle() {
    const FrameStyle style = form_->layout().frame;
    if (style == FrameStyle::Sizable) return;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (style == FrameStyle::Fixed) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
}

void FormView::build() {
    applyFrameStyle();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);

    root_ = new QWidget;
    scroll->setWidget(root_);
    // What the window holds asks for room anew: it may have grown.
    root_->installEventFilter(this);
    scroll->installEventFilter(this);

    // Widgets first (containers give their children an area), then each area's layout, the
    // innermost first: a container's size is known before the rows around it are measured.
    for (Control* c : form_->controls()) makeWidget(*c);
    std::vector<std::pair<int, Control*>> containers;
    for (Control* c : form_->controls()) {
        if (c->kind() != ControlKind::Frame && c->kind() != ControlKind::TabPage) continue;
        int depth = 0;
        for (Control* k = c->container(); k; k = k->container()) ++depth;
        containers.emplace_back(depth, c);
    }
    std::stable_sort(containers.begin(), containers.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [depth, c] : containers) layOut(c, areas_[c]);
    layOut(nullptr, root_);
    for (Control* c : form_->controls())
        if (form_->layout().isBelowView(*c)) placeBelowView(bound_[c]->widget);
    paintAll();
}

// Outside the scrolled area, far below the window's edge: no scrolling or resizing brings it into
// sight, and it keeps its place in the window's Tab order.
void FormView::placeBelowView(QWidget* w) {
    w->setParent(this);
    w->setProperty(kBelowViewProperty, true);
    w->adjustSize();
    w->move(0, kBelowViewTop);
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
            }, m);
            return true;
        };
        if (box.multiLine) {
            auto* e = new QPlainTextEdit;
            if (box.horizontalScrollBar) {
                e->setLineWrapMode(QPlainTextEdit::NoWrap);
                e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            }
            e->installEventFilter(new EnterKeyFilter(e, onEnter));
            QObject::connect(e, &QPlainTextEdit::textChanged, this, [this, b, e] {
                if (b->painting || !b->control) return;
                auto* m = static_cast<TextBox*>(b->control);
                const std::string typed = withCrLf(e->toPlainText().toStdString());
                operatorAction([m, typed] { m->operatorType(typed); }, m);
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
                operatorAction([m, typed] { m->operatorType(typed); }, m);
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
            operatorAction([m] { m->operatorClick(); }, m);
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
            operatorAction([m] { m->operatorClick(); }, m);
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
            operatorAction([m] { m->operatorClick(); }, m);
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
            operatorAction([m, row] { m->setListIndex(row); }, m);
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
            operatorAction([m, i] { m->setListIndex(i); }, m);
        });
        QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, this, [this, b](const QString& text) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<ComboBox*>(b->control);
            const std::string typed = text.toStdString();
            operatorAction([m, typed] { m->setText(typed); }, m);
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
            operatorAction([m, v] { m->setValue(v); }, m);
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
        new SteadyTabs(t);
        QObject::connect(t, &QTabWidget::currentChanged, this, [this, b](int i) {
            if (b->painting || !b->control) return;
            auto* m = static_cast<TabStrip*>(b->control);
            operatorAction([m, i] { m->setCurrentTab(i); }, m);
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
                tabs->addTab(page, withoutShortcut(shownCaption(static_cast<TabPage&>(control).caption())));
            }
        }
        w = page;
        break;
    }
    }
    w->setObjectName(qs(control.name()));
    if (form_->layout().isBold(control)) {
        QFont font = w->font();
        font.setBold(true);
        w->setFont(font);
    }
    b->widget = w;
    bound_[&control] = std::move(bound);
    return w;
}

// A box that takes the width of its column; everything else keeps its own width.
bool FormView::widens(const Control& c) const {
    switch (c.kind()) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
        return form_->layout().widthInChars(c) == 0;
    case ControlKind::ListBox:
    case ControlKind::Slider:
    case ControlKind::ProgressBar:
    case ControlKind::Frame:
    case ControlKind::TabStrip:
        return true;
    default:
        return false;
    }
}

bool FormView::shown(const Control& c) const { return c.visible() && !form_->layout().isOutsideView(c); }

// A static text of the layout: it has no model, only its words.
QLabel* FormView::staticText(const std::string& text) {
    auto* l = new QLabel(shownCaption(text));
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(QStringLiteral("caption"));
    return l;
}

// A caption names its box: the box is its buddy, so the caption's words lead to it.
void FormView::name(QLabel* label, const Control& box) {
    auto it = bound_.find(&box);
    if (it == bound_.end()) return;
    label->setBuddy(it->second->widget);
    label->setText(withoutShortcut(label->text()));
    buddyLabels_.insert(label);
}

// Rows that line up: the n-th items of all rows share a column (a tall item keeps its column in
// the rows it stands across); the last item of a short row takes the columns left over.
QGridLayout* FormView::gridOf(const LayoutBlock& block, QVBoxLayout* column) {
    struct Cell {
        const LayoutItem* item;
        int row, column, rowSpan, columnSpan = 1;
    };
    std::vector<Cell> cells;
    std::set<std::pair<int, int>> taken;
    int columns = 0;
    for (int r = 0; r < static_cast<int>(block.rows.size()); ++r) {
        int column = 0;
        for (const LayoutItem& item : block.rows[static_cast<size_t>(r)]) {
            while (taken.count({r, column})) ++column;
            for (int k = 0; k < item.rowSpan; ++k) taken.insert({r + k, column});
            cells.push_back({&item, r, column, std::max(1, item.rowSpan)});
            columns = std::max(columns, ++column);
        }
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        const bool lastOfRow = i + 1 == cells.size() || cells[i + 1].row != cells[i].row;
        if (lastOfRow && cells[i].rowSpan == 1) {
            int free = cells[i].column + 1;
            while (free < columns && !taken.count({cells[i].row, free})) ++free;
            cells[i].columnSpan = free - cells[i].column;
        }
    }

    // The grid joins the window first, so its widgets are the window's as they go in.
    auto* grid = new QGridLayout;
    column->addLayout(grid);
    bool anyWidens = false;
    for (const Cell& cell : cells) {
        const LayoutItem& item = *cell.item;
        QWidget* w = nullptr;
        bool wide = false, sized = false;
        if (item.control) {
            if (form_->layout().isOutsideView(*item.control)) continue;
            w = bound_[item.control]->widget;
            wide = widens(*item.control);
            if (auto* l = qobject_cast<QLabel*>(w)) l->setWordWrap(false);
            if (const int chars = form_->layout().widthInChars(*item.control))
                w->setFixedWidth(w->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12);
            if (const WindowLayout::Size size = form_->layout().sizeTwips(*item.control); size.width > 0) {
                w->setFixedSize(twipsToPixels(size.width), twipsToPixels(size.height));
                sized = true;
            }
        } else {
            w = staticText(item.text);
        }
        if (item.names) name(static_cast<QLabel*>(w), *item.names);
        anyWidens = anyWidens || wide;
        // Buttons stacked in a column take the column's width, so the column reads as one.
        if (item.control && item.control->kind() == ControlKind::CommandButton && block.rows.size() > 1 &&
            columns > 1 && cell.columnSpan == 1 && !sized)
            wide = true;
        const Qt::Alignment align =
            wide ? Qt::Alignment() : cell.rowSpan > 1 ? (Qt::AlignLeft | Qt::AlignTop) : (Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(w, cell.row, cell.column, cell.rowSpan, cell.columnSpan, align);
    }
    if (!anyWidens) grid->setColumnStretch(columns, 1);
    return grid;
}

// Children of a frame, a tab page or the window. Where every child has a size and place the
// window gives, they go there. Otherwise the window's declared rows come first, then whatever it
// did not place flows after them in the order declared: a label beside the box it names, buttons
// and ticks a few to a row, everything else a row each.
void FormView::layOut(Control* container, QWidget* area) {
    const WindowLayout& layout = form_->layout();
    std::vector<Control*> children;
    for (Control* c : form_->controls())
        if (c->container() == container && c->kind() != ControlKind::TabPage && !layout.placed(*c) &&
            !layout.isOutsideView(*c) && !layout.isBelowView(*c))
            children.push_back(c);

    bool hasBlocks = false;
    for (const LayoutBlock& block : layout.blocks()) hasBlocks = hasBlocks || block.container == container;
    const bool placed = !hasBlocks && !children.empty() && std::all_of(children.begin(), children.end(), [](Control* c) {
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

    // A block holding a box that grows downwards (a log, a list) takes the window's spare height;
    // otherwise the rows keep to the top.
    auto* column = new QVBoxLayout(area);
    bool grows = false;
    for (const LayoutBlock& block : layout.blocks()) {
        if (block.container != container) continue;
        QGridLayout* grid = gridOf(block, column);
        const bool tall = std::any_of(block.rows.begin(), block.rows.end(), [this](const auto& row) {
            return std::any_of(row.begin(), row.end(), [this](const LayoutItem& item) {
                return item.control && !form_->layout().isOutsideView(*item.control) && growsDownwards(*item.control);
            });
        });
        if (tall) column->setStretchFactor(grid, 1);
        grows = grows || tall;
    }
    flow(children, column);
    if (!grows) column->addStretch(1);
    if (grows && container) growingAreas_.insert(container);
}

// A box that shows more the taller it is (a list, a log, the pages of a tab strip), or a frame
// that holds one. A frame of fixed rows stays as tall as its rows, however tall its neighbours.
bool FormView::growsDownwards(const Control& c) const {
    switch (c.kind()) {
    case ControlKind::ListBox:
    case ControlKind::TabStrip:
        return true;
    case ControlKind::TextBox:
        return static_cast<const TextBox&>(c).multiLine;
    case ControlKind::Frame:
        return growingAreas_.count(&c) != 0;
    default:
        return false;
    }
}

void FormView::flow(const std::vector<Control*>& children, QVBoxLayout* column) {
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
}

// ---- repainting

void FormView::refreshControl(Control& control) {
    auto it = bound_.find(&control);
    if (it == bound_.end() || !it->second->control) return;
    paint(*it->second);
}

bool FormView::markChanged(const Control& control) {
    if (!form_) return false;
    if (isHidden()) {
        staleWhileHidden_ = true;
        return false;
    }
    auto it = bound_.find(&control);
    if (it == bound_.end() || it->second->pending) return false;
    it->second->pending = true;
    pending_.push_back(it->second.get());
    return pending_.size() == 1;
}

void FormView::repaintPending() {
    std::vector<Bound*> due;
    due.swap(pending_);
    for (Bound* b : due) {
        b->pending = false;
        if (b->control) paint(*b);
    }
}

void FormView::paintAll() {
    for (Bound* b : pending_) b->pending = false;
    pending_.clear();
    staleWhileHidden_ = false;
    for (auto& [c, b] : bound_)
        if (b->control) paint(*b);
}

// Colours are set only when the model's differ from those drawn: a palette is costly to build.
void FormView::paintColours(Bound& b, std::int64_t back, std::int64_t fore, QPalette::ColorRole backRole,
                            QPalette::ColorRole foreRole) {
    if (b.coloured && b.backDrawn == back && b.foreDrawn == fore) return;
    QWidget* w = b.widget;
    QPalette pal = QApplication::palette(w);
    if (auto c = vbColor(back)) pal.setColor(backRole, *c);
    if (auto c = vbColor(fore)) pal.setColor(foreRole, *c);
    w->setPalette(pal);
    b.coloured = true;
    b.backDrawn = back;
    b.foreDrawn = fore;
}

void FormView::paintLabel(Bound& b) {
    auto& m = static_cast<Label&>(*b.control);
    auto* l = static_cast<QLabel*>(b.widget);
    QString caption = shownCaption(withoutCarriageReturns(m.caption()));
    if (buddyLabels_.count(l)) caption = withoutShortcut(caption);
    if (l->text() != caption) l->setText(caption);
    const bool filled = vbColor(m.backColor()).has_value();
    if (l->autoFillBackground() != filled) l->setAutoFillBackground(filled);
    paintColours(b, m.backColor(), m.foreColor(), QPalette::Window, QPalette::WindowText);
}

void FormView::applyCommon(Bound& b) {
    Control& c = *b.control;
    QWidget* w = b.widget;
    if (c.kind() != ControlKind::TabPage && w->isHidden() == shown(c)) w->setVisible(shown(c));
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
    case ControlKind::Label:
        paintLabel(b);
        break;
    case ControlKind::TextBox: {
        auto& m = static_cast<TextBox&>(c);
        paintColours(b, m.backColor, m.foreColor, QPalette::Base, QPalette::Text);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (e->isReadOnly() != m.locked) e->setReadOnly(m.locked);
            // Setting the length sets the text again, even the same.
            const int maxLength = m.maxLength > 0 ? m.maxLength : 32767;
            if (e->maxLength() != maxLength) e->setMaxLength(maxLength);
            if (e->text() != qs(m.text())) {
                const int caret = e->cursorPosition();
                e->setText(qs(m.text()));
                e->setCursorPosition(std::min(caret, static_cast<int>(e->text().size())));
            }
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            if (p->isReadOnly() != m.locked) p->setReadOnly(m.locked);
            const QString shown = qs(withoutCarriageReturns(m.text()));
            if (p->toPlainText() != shown) p->setPlainText(shown);
        }
        break;
    }
    case ControlKind::CheckBox: {
        auto& m = static_cast<CheckBox&>(c);
        auto* cb = static_cast<QCheckBox*>(w);
        const QString caption = withoutShortcut(shownCaption(m.caption()));
        if (cb->text() != caption) cb->setText(caption);
        const Qt::CheckState state =
            m.value() == 1 ? Qt::Checked : m.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
        if (cb->checkState() != state) cb->setCheckState(state);
        break;
    }
    case ControlKind::OptionButton: {
        auto& m = static_cast<OptionButton&>(c);
        auto* rb = static_cast<QRadioButton*>(w);
        const QString caption = withoutShortcut(shownCaption(m.caption()));
        if (rb->text() != caption) rb->setText(caption);
        if (rb->isChecked() != m.value()) rb->setChecked(m.value());
        break;
    }
    case ControlKind::CommandButton: {
        auto& m = static_cast<CommandButton&>(c);
        auto* pb = static_cast<QPushButton*>(w);
        QString caption = pb->icon().isNull() ? withoutShortcut(shownCaption(m.caption())) : QString();
        // A button the window makes too small for its caption shows none, not a clipped letter.
        const int sizedWidth = twipsToPixels(form_->layout().sizeTwips(c).width);
        if (sizedWidth > 0 && pb->fontMetrics().horizontalAdvance(shownCaption(m.caption())) > sizedWidth)
            caption.clear();
        if (pb->text() != caption) pb->setText(caption);
        break;
    }
    case ControlKind::ListBox: {
        if (auto* chat = dynamic_cast<ChatDisplay*>(&c)) {
            drawChatLines(*static_cast<QTextBrowser*>(w), *chat, b.chatDrawn);
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
        const int low = std::min(m.min(), m.max()), high = std::max(m.min(), m.max());
        if (s->minimum() != low || s->maximum() != high) s->setRange(low, high);
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
        const QString caption = withoutShortcut(shownCaption(static_cast<Frame&>(c).caption()));
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
            const QString caption = withoutShortcut(shownCaption(static_cast<TabPage&>(c).caption()));
            if (i >= 0 && tabs->tabText(i) != caption) tabs->setTabText(i, caption);
            if (i >= 0) tabs->setTabVisible(i, c.visible());
        }
        break;
    }
    }
    applyCommon(b);
    b.painting = false;
}

// What the window's contents ask for, measured with the style's fonts and margins in place and
// with the areas shown now.
QSize FormView::contentSize() {
    root_->ensurePolished();
    for (QWidget* w : root_->findChildren<QWidget*>()) w->updateGeometry();
    for (QLayout* l : root_->findChildren<QLayout*>()) l->invalidate();
    if (root_->layout()) root_->layout()->activate();
    const QSize hint = root_->sizeHint();
    return QSize(hint.width() + kFrameMargin, hint.height() + kFrameMargin);
}

// The size inside the frame for contents of the `wanted` size: never more than the free area
// holds with the frame; what does not fit scrolls, with room kept for the scroll bar.
QSize FormView::fittedSize(QSize wanted) const {
    const QSize room = screen_fit::room(*this);
    QSize size = wanted.boundedTo(room);
    if (size.height() < wanted.height()) size.rwidth() = std::min(size.width() + kScrollBarAllowance, room.width());
    if (size.width() < wanted.width()) size.rheight() = std::min(size.height() + kScrollBarAllowance, room.height());
    return size;
}

// A fixed frame keeps the size it is given.
void FormView::applySize(QSize size) {
    fittedFrame_ = screen_fit::frameOf(*this);
    if (size == this->size()) return;
    if (form_->layout().frame == FrameStyle::Sizable)
        resize(size);
    else
        setFixedSize(size);
}

void FormView::moveFrameTo(QPoint at) {
    if (at == pos()) return;
    applyingPlace_ = true;
    move(at);
    applyingPlace_ = false;
}

// Where the window goes: the place the model keeps, the free area's centre on first showing, or
// where the desktop puts it; wherever that is, the window and its frame lie whole in the free area.
void FormView::applyPlace() {
    const bool firstShowing = !placedOnce_;
    const bool modelMoved = form_->Left != placedLeft_ || form_->Top != placedTop_;
    placedOnce_ = true;
    placedLeft_ = form_->Left;
    placedTop_ = form_->Top;
    const Opening opening = form_->layout().opening;
    if (firstShowing && opening == Opening::SystemChooses) {
        awaitingDesktopPlace_ = true;   // kept whole once the desktop has placed it
        return;
    }
    if (awaitingDesktopPlace_ && !modelMoved) return;
    awaitingDesktopPlace_ = false;
    QPoint at = pos();
    if (firstShowing || modelMoved) at = QPoint(twipsToPixels(form_->Left), twipsToPixels(form_->Top));
    if (firstShowing && opening == Opening::Centred) {
        const QSize framed = size().grownBy(screen_fit::frameOf(*this));
        at = screen_fit::freeArea(*this).center() - QPoint(framed.width() / 2, framed.height() / 2);
    }
    moveFrameTo(screen_fit::wholePlace(*this, at));
}

// The desktop framed the window, or framed it anew with a frame of another size: its size and
// place are fitted again to the frame it really has.
void FormView::fitToFrame() {
    if (!isVisible() || !sizedOnce_) return;
    const bool placedByDesktop = std::exchange(awaitingDesktopPlace_, false);
    if (screen_fit::frameOf(*this) != fittedFrame_) applySize(fittedSize(wanted_));
    else if (!placedByDesktop) return;
    moveFrameTo(screen_fit::wholePlace(*this, pos()));
}

// Contents that grew while shown (a label's longer text) widen the window as far as the free
// area allows, rather than hiding behind scroll bars; the window stays whole on the screen.
void FormView::growToContents() {
    if (!isVisible() || !sizedOnce_) return;
    const QSize hint = root_->sizeHint() + QSize(kFrameMargin, kFrameMargin);
    if (wanted_.width() >= hint.width() && wanted_.height() >= hint.height()) return;
    wanted_ = wanted_.expandedTo(hint);
    applySize(size().expandedTo(fittedSize(wanted_)));
    moveFrameTo(screen_fit::wholePlace(*this, pos()));
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) growToContents();
    return QWidget::eventFilter(watched, event);
}

void FormView::refreshForm() {
    if (!form_) return;
    if (form_->visible() && staleWhileHidden_)
        paintAll();
    else
        repaintPending();
    const QString title = qs(form_->caption().empty() ? form_->name() : form_->caption());
    if (windowTitle() != title) setWindowTitle(title);
    // Sized as the window first shows, and again when it sets a size anew (a side it leaves at 0
    // follows what it holds); the operator's own resizing stays otherwise. A size the window sets
    // never cuts off what it holds: Qt's fonts and margins take more room than the stored sizes allow for.
    const bool sizeSetAnew = form_->Width != sizedWidth_ || form_->Height != sizedHeight_;
    if (form_->visible() && (!sizedOnce_ || sizeSetAnew)) {
        sizedOnce_ = true;
        sizedWidth_ = form_->Width;
        sizedHeight_ = form_->Height;
        const QSize set(twipsToPixels(std::max(0, form_->Width)), twipsToPixels(std::max(0, form_->Height)));
        wanted_ = set.expandedTo(contentSize());
        applySize(fittedSize(wanted_));
        if (isVisible()) awaitingDesktopPlace_ = false;   // a size set anew is kept whole at once
    }
    if (form_->visible()) applyPlace();
    if (isVisible() != form_->visible()) setVisible(form_->visible());
}

void FormView::closeEvent(QCloseEvent* event) {
    event->ignore();   // the window decides: it may hide, unload or stay
    Form* f = form_;
    operatorAction([f] { f->closeRequest(); });
}

void FormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!applyingPlace_ && form_) fitToFrame();
}

void FormView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (applyingPlace_ || !form_ || !isVisible()) return;
    fitToFrame();
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
