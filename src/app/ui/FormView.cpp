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
#include <QMetaProperty>
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

// The choices of a drop-down list or a list.
void SetItems(QWidget* w, const QStringList& items) {
    if (auto* b = qobject_cast<QComboBox*>(w)) {
        b->clear();
        b->addItems(items);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        l->clear();
        l->addItems(items);
    }
}

// What the kinds of control share: a widget made for the description, the property that holds
// the control's Int (its change signal reports the user's change), the property the rules' Text
// goes to (a caption, a field's text), whether the user's change also gives the Text, and the
// signal of a press. A radio button's change is only stored: its group reports the choice.
struct TKindView {
    QWidget* (*make)(const TControl& c);
    const char* intProp;
    const char* textProp;
    bool readsText;
    const char* press;
};

template <typename W> QWidget* Plain(const TControl&) {
    return new W;
}

const TKindView* ViewOf(TCtl kind) {
    static const std::map<TCtl, TKindView> views = {
        {TCtl::Group, {Plain<QGroupBox>, nullptr, "title", false, nullptr}},
        {TCtl::Panel, {Plain<QWidget>, nullptr, nullptr, false, nullptr}},
        {TCtl::Page, {Plain<QWidget>, nullptr, nullptr, false, nullptr}},
        {TCtl::Tabs, {Plain<QTabWidget>, "currentIndex", nullptr, false, nullptr}},
        {TCtl::Stack, {Plain<QStackedWidget>, "currentIndex", nullptr, false, nullptr}},
        {TCtl::Label, {Plain<QLabel>, nullptr, "text", false, nullptr}},
        {TCtl::Edit, {Plain<QLineEdit>, nullptr, "text", true, SIGNAL(returnPressed())}},
        {TCtl::Memo, {Plain<QPlainTextEdit>, nullptr, "plainText", false, nullptr}},
        {TCtl::Spin, {Plain<QSpinBox>, "value", nullptr, false, nullptr}},
        {TCtl::Check, {Plain<QCheckBox>, "checked", "text", false, nullptr}},
        {TCtl::Radio, {Plain<QRadioButton>, "checked", "text", false, SIGNAL(clicked())}},
        {TCtl::Combo, {Plain<QComboBox>, "currentIndex", "currentText", true, nullptr}},
        {TCtl::ComboEdit, {Plain<QComboBox>, "currentIndex", "currentText", true, nullptr}},
        {TCtl::Button, {Plain<QPushButton>, nullptr, "text", false, SIGNAL(clicked())}},
        {TCtl::ToolButton, {Plain<QToolButton>, nullptr, "text", false, SIGNAL(clicked())}},
        {TCtl::ColorButton,
         {[](const TControl& c) -> QWidget* { return new TColorButton(c.Min != 0); }, "colorValue",
          "text", false, nullptr}},
        {TCtl::List, {Plain<QListWidget>, "currentRow", nullptr, false, nullptr}},
    };
    auto it = views.find(kind);
    return it == views.end() ? nullptr : &it->second;
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
    for (std::size_t i = 0; i < desc.size(); ++i) {
        const TControl& c = desc[i];
        if (c.Buddy[0])
            if (auto* l = Get<QLabel>(c.Name)) l->setBuddy(Widget(c.Buddy));
        // A field's name for a screen reader: its caption, or the label beside it.
        QWidget* w = c.Name[0] ? Widget(c.Name) : nullptr;
        if (w && w->accessibleName().isEmpty())
            w->setAccessibleName(QString::fromStdString(AccessibleNameOf(desc, i)));
    }
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
    model_.Seed(c);
    QWidget* w = nullptr;
    QLayout* l = nullptr;
    if (c.Kind == TCtl::Box) {
        l = NewLayout(c.Layout, nullptr);
    } else {
        w = make(c);
        if (c.Name[0]) {
            w->setObjectName(QString::fromUtf8(c.Name));
            widgets_[c.Name] = w;
            kinds_[c.Name] = c.Kind;
        }
    }
    place(c, parent, w, l);
    if (HoldsControls(c.Kind)) {
        Container box;
        box.kind = c.Kind;
        box.widget = w ? w : parent.widget;
        box.lay = c.Layout;
        box.layout = l ? l : w && LaysOutChildren(c.Kind) ? NewLayout(c.Layout, w) : nullptr;
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
    }
    if (w) connectUser(c, w);
}

QWidget* TFormView::make(const TControl& c) {
    const TKindView* view = ViewOf(c.Kind);
    QWidget* w = view ? view->make(c) : makeSlot_(c);
    if (view && view->textProp && CaptionIsText(c.Kind))
        w->setProperty(view->textProp, QString::fromUtf8(c.Caption));
    SetItems(w, Q(SplitItems(c.Items)));
    // The flags and ranges as the widget's own properties, where its class has them.
    auto set = [w](const char* prop, const QVariant& v) {
        if (w->metaObject()->indexOfProperty(prop) >= 0) w->setProperty(prop, v);
    };
    set("readOnly", c.Kind == TCtl::Memo || (c.Flags & fReadOnly));
    set(c.Kind == TCtl::ToolButton ? "autoRaise" : "flat", bool(c.Flags & fFlat));
    set("default", bool(c.Flags & fDefault));
    set("editable", c.Kind == TCtl::ComboEdit);
    if (c.Max > 0) set("maxLength", c.Max);
    if (auto* spin = qobject_cast<QSpinBox*>(w)) spin->setRange(c.Min, c.Max);
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
    const TKindView* view = ViewOf(c.Kind);
    if (!c.Name[0] || !view || c.Kind == TCtl::Stack) return; // a stack's page is the rules' choice
    if (const char* prop = view->intProp     ? view->intProp
                           : view->readsText ? view->textProp
                                             : nullptr) {
        const QMetaObject* m = w->metaObject();
        connect(w, m->property(m->indexOfProperty(prop)).notifySignal(), this,
                metaObject()->method(metaObject()->indexOfSlot("fieldChanged()")));
    }
    if (view->press) connect(w, view->press, this, SLOT(fieldPressed()));
    if (c.Kind == TCtl::ComboEdit)
        connect(w, SIGNAL(editTextChanged(QString)), this, SLOT(fieldChanged()));
}

void TFormView::fieldChanged() {
    auto* w = qobject_cast<QWidget*>(sender());
    const std::string name = w->objectName().toStdString();
    const TCtl kind = kinds_.at(name);
    const TKindView* view = ViewOf(kind);
    if (view->intProp) model_.UserInt(name, w->property(view->intProp).toInt());
    if (view->readsText)
        model_.UserText(name, w->property(view->textProp).toString().toStdString());
    if (kind != TCtl::Radio) UserChanged(name, false);
}

void TFormView::fieldPressed() {
    UserChanged(sender()->objectName().toStdString(), true);
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
    auto kind = kinds_.find(name);
    const TKindView* view = kind == kinds_.end() ? nullptr : ViewOf(kind->second);
    if (what & TFormModel::wItems) SetItems(w, Q(s->Items));
    if ((what & TFormModel::wInt) && view && view->intProp) w->setProperty(view->intProp, s->Int);
    if ((what & TFormModel::wText) && view && view->textProp)
        w->setProperty(view->textProp, Q(s->Text));
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
