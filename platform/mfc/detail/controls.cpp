#include "platform/mfc/detail/controls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextLayout>

#include "platform/mfc/detail/edit_menu.h"

namespace mfc_detail {
namespace {

DWORD ButtonType(DWORD style) {
    return style & BS_TYPEMASK;
}

// The text of a Windows check box begins 3 pixels after the box.
class CheckBoxStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        return metric == PM_CheckBoxLabelSpacing ? 3
                                                 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// A check box takes clicks anywhere in its rectangle, as a Windows check box does.
class CheckBox : public QCheckBox {
  public:
    explicit CheckBox(QWidget* parent) : QCheckBox(parent) {
        auto* style = new CheckBoxStyle;
        style->setParent(this);
        setStyle(style);
    }

  protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

QWidget* MakeButton(QWidget* parent, DWORD style) {
    switch (ButtonType(style)) {
        case BS_AUTOCHECKBOX:
            return new CheckBox(parent);
        case BS_GROUPBOX: {
            auto* group = new QGroupBox(parent);
            // A group box is only a frame: clicks go to what lies under it.
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        default: {
            auto* button = new QPushButton(parent);
            button->setDefault(ButtonType(style) == BS_DEFPUSHBUTTON);
            return button;
        }
    }
}

void ShowEditMenu(QWidget* edit, QContextMenuEvent* event) {
    if (const std::unique_ptr<QMenu> menu = MakeEditMenu(edit)) {
        menu->exec(event->globalPos());
    }
}

// A single-line edit with the context menu of a Windows edit.
class LineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override { ShowEditMenu(this, event); }
};

// A multi-line edit. Without ES_WANTRETURN, Enter and Esc go on to the dialog and
// Ctrl+Enter breaks the line, as in a Windows dialog.
class MultiLineEdit : public QPlainTextEdit {
  public:
    MultiLineEdit(QWidget* parent, bool wantReturn)
        : QPlainTextEdit(parent), wantReturn_(wantReturn) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (event->key() == Qt::Key_Escape) {
            event->ignore();
        } else if (enter && (event->modifiers() & Qt::ControlModifier) != 0) {
            textCursor().insertBlock();
        } else if (enter && !wantReturn_) {
            event->ignore();
        } else if (enter) {
            textCursor().insertBlock();
        } else {
            QPlainTextEdit::keyPressEvent(event);
        }
    }
    void contextMenuEvent(QContextMenuEvent* event) override { ShowEditMenu(this, event); }

  private:
    bool wantReturn_;
};

QWidget* MakeEdit(QWidget* parent, DWORD style) {
    const bool readOnly = (style & ES_READONLY) != 0;
    if ((style & ES_MULTILINE) == 0) {
        auto* line = new LineEdit(parent);
        line->setReadOnly(readOnly);
        return line;
    }
    auto* multi = new MultiLineEdit(parent, (style & ES_WANTRETURN) != 0);
    multi->setReadOnly(readOnly);
    multi->setTabChangesFocus(true);
    multi->setLineWrapMode((style & ES_AUTOHSCROLL) != 0 ? QPlainTextEdit::NoWrap
                                                         : QPlainTextEdit::WidgetWidth);
    multi->setVerticalScrollBarPolicy((style & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    multi->setHorizontalScrollBarPolicy((style & WS_HSCROLL) != 0 ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
    return multi;
}

// Windows text to the document's: CR LF (or a lone CR) breaks the paragraph, a lone LF
// becomes a line separator so that it reads back as LF.
QString ToDocumentText(const std::u16string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r') {
            out += QChar(u'\n');
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (unit == u'\n') {
            out += QChar(QChar::LineSeparator);
        } else {
            out += QChar(unit);
        }
    }
    return out;
}

std::u16string FromDocumentText(const QString& raw) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(raw.size()));
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator) {
            out += u"\r\n";
        } else if (c == QChar::LineSeparator) {
            out += u'\n';
        } else {
            out += static_cast<char16_t>(c.unicode());
        }
    }
    return out;
}

// Each line is centred on its line height, so that a text one line high shows whole
// also where the font's own line is taller.
class StaticText : public QLabel {
  public:
    StaticText(QWidget* parent, int lineHeight) : QLabel(parent), lineHeight_(lineHeight) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QTextLayout layout(text(), font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (int top = 0;; top += lineHeight_) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) {
                break;
            }
            line.setLineWidth(width());
            line.setPosition(QPointF(0, top + (lineHeight_ - line.height()) / 2));
        }
        layout.endLayout();
        QPainter painter(this);
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        layout.draw(&painter, QPointF(0, 0));
    }

  private:
    int lineHeight_;
};

QWidget* MakeStatic(QWidget* parent, DWORD style, int lineHeight) {
    if ((style & SS_TYPEMASK) == SS_BLACKFRAME) {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(1);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(palette);
        return frame;
    }
    auto* label = new StaticText(parent, lineHeight);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A drop-down list that opens below its field, or above it where the screen ends, as a
// Windows combo box does; Qt's styles may lay the list over the field.
class DropDownList : public QComboBox {
  public:
    using QComboBox::QComboBox;

    void showPopup() override {
        QComboBox::showPopup();
        QWidget* popup = view()->window();
        const QPoint below = mapToGlobal(QPoint(0, height()));
        QPoint at(below.x(), below.y());
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const int above = mapToGlobal(QPoint(0, 0)).y() - popup->height();
            if (below.y() + popup->height() > area.bottom() + 1 && above >= area.top()) {
                at.setY(above);
            }
        }
        popup->move(at);
    }
};

QWidget* MakeCombo(QWidget* parent, DWORD style) {
    auto* combo = new DropDownList(parent);
    combo->setEditable(false);
    // The drop-down shows up to 30 items, as with version 6 of the common controls.
    combo->setMaxVisibleItems(30);
    combo->setInsertPolicy((style & CBS_SORT) != 0 ? QComboBox::InsertAlphabetically
                                                   : QComboBox::NoInsert);
    return combo;
}

}  // namespace

ButtonWindow::ButtonWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style)
    : HWND__(MakeButton(parentWidget, style), parentWindow, controlId),
      button_(qobject_cast<QAbstractButton*>(widget)),
      group_(qobject_cast<QGroupBox*>(widget)) {
    if (button_ != nullptr) {
        QObject::connect(button_, &QAbstractButton::clicked, button_,
                         [this] { NotifyParent(BN_CLICKED); });
    }
}

LRESULT ButtonWindow::ClassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* check = qobject_cast<QCheckBox*>(button_);
    if (message == BM_GETCHECK) {
        return check != nullptr && check->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    }
    if (message == BM_SETCHECK) {
        if (check != nullptr) {
            check->setChecked(wParam == BST_CHECKED);
        }
        return 0;
    }
    return HWND__::ClassProc(message, wParam, lParam);
}

std::u16string ButtonWindow::Text() const {
    return FromQString(button_ != nullptr ? button_->text() : group_->title());
}

void ButtonWindow::SetText(const std::u16string& text) {
    if (button_ != nullptr) {
        button_->setText(ToQString(text));
    } else {
        group_->setTitle(ToQString(text));
    }
}

EditWindow::EditWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style)
    : HWND__(MakeEdit(parentWidget, style), parentWindow, controlId),
      line_(qobject_cast<QLineEdit*>(widget)),
      multi_(qobject_cast<QPlainTextEdit*>(widget)) {
    if (line_ != nullptr) {
        QObject::connect(line_, &QLineEdit::textEdited, line_, [this] { NotifyParent(EN_CHANGE); });
    } else {
        QObject::connect(multi_, &QPlainTextEdit::textChanged, multi_, [this] {
            if (!settingText_) {
                NotifyParent(EN_CHANGE);
            }
        });
    }
}

std::u16string EditWindow::Text() const {
    return line_ != nullptr ? FromQString(line_->text())
                            : FromDocumentText(multi_->document()->toRawText());
}

void EditWindow::SetText(const std::u16string& text) {
    if (line_ != nullptr) {
        line_->setText(ToQString(text));
        // A Windows edit shows the start of a text set by code, the caret before it.
        line_->setCursorPosition(0);
        NotifyParent(EN_CHANGE);
        return;
    }
    settingText_ = true;
    multi_->setPlainText(ToDocumentText(text));
    settingText_ = false;
}

StaticWindow::StaticWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style,
                           int lineHeight)
    : HWND__(MakeStatic(parentWidget, style, lineHeight), parentWindow, controlId),
      label_(qobject_cast<QLabel*>(widget)) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

std::u16string StaticWindow::Text() const {
    return label_ != nullptr ? FromQString(label_->text()) : std::u16string();
}

void StaticWindow::SetText(const std::u16string& text) {
    if (label_ != nullptr) {
        label_->setText(ToQString(text));
    }
}

ComboBoxWindow::ComboBoxWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style)
    : HWND__(MakeCombo(parentWidget, style), parentWindow, controlId),
      combo_(qobject_cast<QComboBox*>(widget)) {}

bool ComboBoxWindow::Valid(WPARAM index) const {
    return index < static_cast<WPARAM>(combo_->count());
}

LRESULT ComboBoxWindow::ClassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case CB_GETCOUNT:
            return combo_->count();
        case CB_GETCURSEL:
            return combo_->currentIndex() >= 0 ? combo_->currentIndex() : CB_ERR;
        case CB_SETCURSEL:
            combo_->setCurrentIndex(Valid(wParam) ? index : -1);
            return Valid(wParam) ? index : CB_ERR;
        case CB_INSERTSTRING: {
            const int at = index == -1 ? combo_->count() : index;
            if (at < 0 || at > combo_->count()) {
                return CB_ERR;
            }
            const int selected = combo_->currentIndex();
            combo_->insertItem(at, ToQString(reinterpret_cast<const char16_t*>(lParam)),
                               QVariant::fromValue<qlonglong>(0));
            if (selected < 0) {
                // QComboBox selects its first item; a Windows combo box selects nothing.
                combo_->setCurrentIndex(-1);
            }
            return at;
        }
        case CB_SETITEMDATA:
            if (!Valid(wParam)) {
                return CB_ERR;
            }
            combo_->setItemData(index, QVariant::fromValue<qlonglong>(lParam));
            return 0;
        case CB_GETITEMDATA:
            return Valid(wParam) ? static_cast<LRESULT>(combo_->itemData(index).toLongLong())
                                 : CB_ERR;
        case CB_SELECTSTRING:
            return SelectString(wParam, reinterpret_cast<const char16_t*>(lParam));
        default:
            return HWND__::ClassProc(message, wParam, lParam);
    }
}

// The first item after start (from the top for -1), wrapping round, whose text begins
// with the prefix regardless of case, becomes the selection; CB_ERR and no change when
// there is none.
LRESULT ComboBoxWindow::SelectString(WPARAM start, const char16_t* prefix) {
    const int count = combo_->count();
    const int first = static_cast<int>(start) + 1;
    const QString wanted = ToQString(prefix != nullptr ? prefix : u"");
    for (int k = 0; k < count; ++k) {
        const int i = ((first < 0 ? 0 : first) + k) % count;
        if (combo_->itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            combo_->setCurrentIndex(i);
            return i;
        }
    }
    return CB_ERR;
}

std::u16string ComboBoxWindow::Text() const {
    return FromQString(combo_->currentText());
}

void ComboBoxWindow::SetText(const std::u16string&) {}

}  // namespace mfc_detail
