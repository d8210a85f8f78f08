// Building widgets from a dialog description, forwarding the user's changes to the model and
// showing what its rules changed.
#include "app/ui/FormView.h"

#include "app/ui/ColorButton.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QStringList Q(const std::vector<std::string>& items) {
    QStringList l;
    for (const std::string& s : items)
        l << Q(s);
    return l;
}

QLayout* NewLayout(TLay lay, QWidget* on) {
    switch (lay) {
    case TLay::VBox:
        return new QVBoxLayout(on);
    case TLay::HBox:
        return new QHBoxLayout(on);
    case TLay::Grid:
        return new QGridLayout(on);
    case TLay::Form:
        return new QFormLayout(on);
    case TLay::Fixed:
        break;
    }
    return nullptr;
}

Qt::Alignment AlignOf(unsigned flags) {
    Qt::Alignment a;
    if (flags & fAlignRight) a |= Qt::AlignRight;
    if (flags & fAlignVCenter) a |= Qt::AlignVCenter;
    return a;
}

bool IsContainer(TCtl k) {
    return k == TCtl::Box || k == TCtl::Group || k == TCtl::Panel || k == TCtl::Page ||
           k == TCtl::Tabs || k == TCtl::Stack;
}

// Reports double-clicks on a spin field's text.
class DoubleClicks : public QObject {
  public:
    DoubleClicks(QObject* parent, std::function<void()> fn) : QObject(parent), fn_(std::move(fn)) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) {
            fn_();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

  private:
    std::function<void()> fn_;
};

} // namespace

TFormView::TFormView(QWidget* root, TLay rootLayout, const TFormDesc& desc, TFormModel& model,
                     const std::map<std::string, QWidget*>& roots, TSlotMaker makeSlot)
    : QObject(root), model_(model), makeSlot_(std::move(makeSlot)) {
    Container top;
    top.widget = root;
    top.lay = rootLayout;
    top.layout = NewLayout(rootLayout, root);
    containers_[""] = top;
    for (const auto& [name, w] : roots) {
        Container c;
        c.widget = w;
        c.layout = w->layout();
        c.lay = c.layout ? TLay::VBox : TLay::Fixed;
        containers_[name] = c;
    }
    for (const TControl& c : desc)
        build(c);
    for (const TControl& c : desc)
        if (c.Buddy[0])
            if (auto* l = Get<QLabel>(c.Name)) l->setBuddy(Widget(c.Buddy));
    building_ = false;
    Sync(); // what the model holds already
}

void TFormView::build(const TControl& c) {
    Container& parent = containers_.at(c.Parent);
    if (c.Kind == TCtl::Stretch || c.Kind == TCtl::Spacing) {
        if (auto* box = qobject_cast<QBoxLayout*>(parent.layout)) {
            if (c.Kind == TCtl::Stretch)
                box->addStretch(c.Max);
            else
                box->addSpacing(c.Max);
        } else if (auto* grid = qobject_cast<QGridLayout*>(parent.layout)) {
            if (c.Col < 0)
                grid->setRowStretch(c.Row, c.Max);
            else
                grid->setColumnStretch(c.Col, c.Max);
        }
        return;
    }
    parentOf_[c.Name] = c.Parent;
    QWidget* w = nullptr;
    QLayout* l = nullptr;
    if (c.Kind == TCtl::Box) {
        l = NewLayout(c.Layout, nullptr);
    } else {
        w = make(c);
        if (c.Name[0]) {
            w->setObjectName(QString::fromUtf8(c.Name));
            widgets_[c.Name] = w;
        }
    }
    place(c, parent, w, l);
    if (IsContainer(c.Kind)) {
        Container box;
        box.kind = c.Kind;
        box.widget = w ? w : parent.widget;
        box.lay = c.Layout;
        box.layout = l                                                      ? l
                     : (w && c.Kind != TCtl::Tabs && c.Kind != TCtl::Stack) ? NewLayout(c.Layout, w)
                                                                            : nullptr;
        if (c.Flags & fRadios) {
            box.radios = new QButtonGroup(box.widget);
            box.radioName = c.Name;
            connect(box.radios, &QButtonGroup::idToggled, this,
                    [this, name = std::string(c.Name)](int id, bool on) {
                        if (!on) return;
                        model_.UserInt(name, id);
                        UserChanged(name, false);
                    });
        }
        containers_[c.Name] = box;
        // A choice group's items are its first radio buttons.
        const std::vector<std::string> items = SplitItems(c.Items);
        for (const std::string& item : items)
            build({.Kind = TCtl::Radio, .Caption = item.c_str(), .Parent = c.Name});
        if (box.radios) seedInt(c.Name, box.radios->checkedId());
    }
    if (w) connectUser(c, w);
}

// The value a control starts with, unless the model already holds one for it.
void TFormView::seedInt(const char* name, int v) {
    if (name[0] && !model_.Find(name)) model_.UserInt(name, v);
}

void TFormView::seedText(const char* name, const std::string& t) {
    if (name[0] && !model_.Find(name)) model_.UserText(name, t);
}

QWidget* TFormView::make(const TControl& c) {
    const QString caption = QString::fromUtf8(c.Caption);
    QWidget* w = nullptr;
    switch (c.Kind) {
    case TCtl::Group: {
        auto* g = new QGroupBox(caption);
        g->setFlat(c.Flags & fFlat);
        w = g;
        break;
    }
    case TCtl::Panel:
    case TCtl::Page:
        w = new QWidget;
        break;
    case TCtl::Tabs:
        w = new QTabWidget;
        break;
    case TCtl::Stack:
        w = new QStackedWidget;
        break;
    case TCtl::Label:
        w = new QLabel(caption);
        seedText(c.Name, c.Caption);
        break;
    case TCtl::Edit: {
        auto* e = new QLineEdit(caption);
        e->setReadOnly(c.Flags & fReadOnly);
        if (c.Max > 0) e->setMaxLength(c.Max);
        seedText(c.Name, c.Caption);
        w = e;
        break;
    }
    case TCtl::Memo: {
        auto* m = new QPlainTextEdit(caption);
        m->setReadOnly(true);
        w = m;
        break;
    }
    case TCtl::Spin: {
        auto* s = new QSpinBox;
        s->setRange(c.Min, c.Max);
        seedInt(c.Name, s->value());
        w = s;
        break;
    }
    case TCtl::Check:
        w = new QCheckBox(caption);
        seedInt(c.Name, 0);
        break;
    case TCtl::Radio:
        w = new QRadioButton(caption);
        break;
    case TCtl::Combo:
    case TCtl::ComboEdit: {
        auto* b = new QComboBox;
        b->setEditable(c.Kind == TCtl::ComboEdit);
        b->addItems(Q(SplitItems(c.Items)));
        if (c.Name[0] && !model_.Find(c.Name)) {
            model_.UserText(c.Name, b->currentText().toStdString());
            model_.UserInt(c.Name, b->currentIndex());
        }
        w = b;
        break;
    }
    case TCtl::Button: {
        auto* b = new QPushButton(caption);
        b->setDefault(c.Flags & fDefault);
        w = b;
        break;
    }
    case TCtl::ToolButton: {
        auto* b = new QToolButton;
        b->setText(caption);
        b->setAutoRaise(c.Flags & fFlat);
        w = b;
        break;
    }
    case TCtl::ColorButton:
        w = new TColorButton(c.Min != 0);
        seedInt(c.Name, static_cast<int>(static_cast<TColorButton*>(w)->Color()));
        break;
    case TCtl::List: {
        auto* l = new QListWidget;
        l->addItems(Q(SplitItems(c.Items)));
        w = l;
        break;
    }
    case TCtl::Slot:
        w = makeSlot_(c);
        break;
    case TCtl::Box:
    case TCtl::Stretch:
    case TCtl::Spacing:
        break;
    }
    if (c.Label[0]) w->setAccessibleName(QString::fromUtf8(c.Label));
    if (c.Hint[0]) w->setToolTip(QString::fromUtf8(c.Hint));
    if (c.Flags & fDisabled) w->setEnabled(false);
    if (c.Flags & fNoFocus) w->setFocusPolicy(Qt::NoFocus);
    if (c.Flags & fDoubleClick)
        if (auto* s = qobject_cast<QSpinBox*>(w))
            s->findChild<QLineEdit*>()->installEventFilter(new DoubleClicks(
                s, [this, name = std::string(c.Name)] { UserChanged(name, true); }));
    return w;
}

void TFormView::place(const TControl& c, const Container& parent, QWidget* w, QLayout* l) {
    if (auto* tabs = qobject_cast<QTabWidget*>(parent.widget); tabs && parent.kind == TCtl::Tabs) {
        const int i = tabs->addTab(w, QString::fromUtf8(c.Caption));
        if (c.Flags & fHidden) tabs->setTabVisible(i, false);
        return;
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(parent.widget);
        stack && parent.kind == TCtl::Stack) {
        stack->addWidget(w);
        return;
    }
    if (c.Flags & fHidden) w->setVisible(false);
    const Qt::Alignment align = AlignOf(c.Flags);
    if (!parent.layout) {
        w->setParent(parent.widget);
        if (c.RowSpan > 0 && c.ColSpan > 0) {
            w->setGeometry(c.Col, c.Row, c.ColSpan, c.RowSpan);
        } else {
            w->move(c.Col, c.Row);
            if (c.ColSpan > 0) w->setFixedWidth(c.ColSpan);
        }
        if (!(c.Flags & fHidden)) w->show();
    } else if (auto* grid = qobject_cast<QGridLayout*>(parent.layout)) {
        if (w)
            grid->addWidget(w, c.Row, c.Col, c.RowSpan, c.ColSpan, align);
        else
            grid->addLayout(l, c.Row, c.Col, c.RowSpan, c.ColSpan);
    } else if (auto* form = qobject_cast<QFormLayout*>(parent.layout)) {
        const QString label = QString::fromUtf8(c.Label);
        if (c.Label[0])
            w ? form->addRow(label, w) : form->addRow(label, l);
        else
            w ? form->addRow(w) : form->addRow(l);
    } else if (auto* box = qobject_cast<QBoxLayout*>(parent.layout)) {
        if (w)
            box->addWidget(w, c.Stretch, align);
        else
            box->addLayout(l, c.Stretch);
    }
    if (c.Kind == TCtl::Radio)
        if (const Container* g = radioGroupOf(c))
            g->radios->addButton(static_cast<QRadioButton*>(w), g->radios->buttons().size());
}

const TFormView::Container* TFormView::radioGroupOf(const TControl& c) const {
    for (std::string p = c.Parent;;) {
        const Container& box = containers_.at(p);
        if (box.radios) return &box;
        if (p.empty()) return nullptr;
        auto it = parentOf_.find(p);
        p = it == parentOf_.end() ? std::string() : it->second;
    }
}

void TFormView::connectUser(const TControl& c, QWidget* w) {
    if (!c.Name[0]) return;
    const std::string name = c.Name;
    auto changedInt = [this, name](int v) {
        model_.UserInt(name, v);
        UserChanged(name, false);
    };
    auto changedText = [this, name](const QString& t) {
        model_.UserText(name, t.toStdString());
        UserChanged(name, false);
    };
    switch (c.Kind) {
    case TCtl::Spin:
        connect(static_cast<QSpinBox*>(w), &QSpinBox::valueChanged, this, changedInt);
        break;
    case TCtl::Check:
        connect(static_cast<QCheckBox*>(w), &QCheckBox::toggled, this, changedInt);
        break;
    case TCtl::Radio:
        connect(static_cast<QRadioButton*>(w), &QRadioButton::toggled, this,
                [this, name](bool on) { model_.UserInt(name, on); });
        connect(static_cast<QRadioButton*>(w), &QRadioButton::clicked, this,
                [this, name] { UserChanged(name, true); });
        break;
    case TCtl::Combo:
    case TCtl::ComboEdit: {
        auto* b = static_cast<QComboBox*>(w);
        connect(b, &QComboBox::currentIndexChanged, this, [this, b, name](int i) {
            model_.UserInt(name, i);
            model_.UserText(name, b->currentText().toStdString());
            UserChanged(name, false);
        });
        if (c.Kind == TCtl::ComboEdit) connect(b, &QComboBox::editTextChanged, this, changedText);
        break;
    }
    case TCtl::Edit:
        connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, changedText);
        connect(static_cast<QLineEdit*>(w), &QLineEdit::returnPressed, this,
                [this, name] { UserChanged(name, true); });
        break;
    case TCtl::Button:
    case TCtl::ToolButton:
        connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, this,
                [this, name] { UserChanged(name, true); });
        break;
    case TCtl::ColorButton:
        connect(static_cast<TColorButton*>(w), &TColorButton::ColorChanged, this,
                [changedInt](TColor v) { changedInt(static_cast<int>(v)); });
        break;
    case TCtl::Tabs:
        connect(static_cast<QTabWidget*>(w), &QTabWidget::currentChanged, this, changedInt);
        break;
    case TCtl::List:
        connect(static_cast<QListWidget*>(w), &QListWidget::currentRowChanged, this, changedInt);
        break;
    default:
        break;
    }
}

QWidget* TFormView::Widget(const std::string& name) const {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

void TFormView::On(const std::string& name, std::function<void()> fn) {
    handlers_[name] = std::move(fn);
}

void TFormView::UserChanged(const std::string& name, bool click) {
    if (building_) return;
    if (click)
        model_.Clicked(name);
    else
        model_.Changed(name);
    if (auto it = handlers_.find(name); it != handlers_.end()) it->second();
    Sync();
}

void TFormView::Sync() {
    for (const auto& [name, what] : model_.TakeChanged())
        push(name, what);
}

void TFormView::push(const std::string& name, unsigned what) {
    const TControlState* s = model_.Find(name);
    if (!s) return;
    auto group = containers_.find(name);
    if (group != containers_.end() && group->second.radios && (what & TFormModel::wInt)) {
        QButtonGroup* radios = group->second.radios;
        const QSignalBlocker block(radios);
        if (QAbstractButton* b = radios->button(s->Int)) {
            const QSignalBlocker blockButton(b);
            b->setChecked(true);
        }
    }
    QWidget* w = Widget(name);
    if (!w) return;
    const QSignalBlocker block(w);
    if (what & TFormModel::wItems) {
        if (auto* b = qobject_cast<QComboBox*>(w)) {
            b->clear();
            b->addItems(Q(s->Items));
        } else if (auto* l = qobject_cast<QListWidget*>(w)) {
            l->clear();
            l->addItems(Q(s->Items));
        }
    }
    if (what & TFormModel::wInt) {
        if (auto* sp = qobject_cast<QSpinBox*>(w))
            sp->setValue(s->Int);
        else if (auto* cb = qobject_cast<TColorButton*>(w))
            cb->SetColor(static_cast<TColor>(s->Int));
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setChecked(s->Int != 0);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentIndex(s->Int);
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            tabs->setCurrentIndex(s->Int);
        else if (auto* stack = qobject_cast<QStackedWidget*>(w))
            stack->setCurrentIndex(s->Int);
        else if (auto* list = qobject_cast<QListWidget*>(w))
            list->setCurrentRow(s->Int);
    }
    if (what & TFormModel::wText) {
        const QString t = Q(s->Text);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(t);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(t);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentText(t);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(t);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setTitle(t);
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            m->setPlainText(t);
    }
    if (what & TFormModel::wEnabled) w->setEnabled(s->Enabled);
    if (what & TFormModel::wVisible) {
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget()
                                                                 : nullptr);
        if (tabs && tabs->indexOf(w) >= 0)
            tabs->setTabVisible(tabs->indexOf(w), s->Visible);
        else
            w->setVisible(s->Visible);
    }
}
