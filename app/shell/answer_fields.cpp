#include "answer_fields.h"

#include <algorithm>

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

#include "control_ids.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

constexpr int kMargin = 5;

bool SharesRow(const QWidget& a, const QWidget& b) {
    return a.geometry().top() <= b.geometry().bottom() && b.geometry().top() <= a.geometry().bottom();
}

// As far right as the window's edge or the nearest visible control right of the field
// on its row.
int RightLimit(const QLineEdit& field) {
    const QWidget* window = field.parentWidget();
    int limit = window->width() - kMargin;
    for (const QObject* child : window->children()) {
        const auto* other = qobject_cast<const QWidget*>(child);
        if (!other || other == &field || !other->isVisible() || !SharesRow(*other, field)) continue;
        if (other->x() > field.x()) limit = std::min(limit, other->x() - kMargin);
    }
    return limit;
}

// Refits a field once the changes of one event have all been made (the library sets a
// text, then resizes and hides its neighbours).
class Fitter : public QObject {
public:
    explicit Fitter(QLineEdit* field) : QObject(field), field_(field) {
        QObject::connect(field, &QLineEdit::textChanged, this, [this] { schedule(); });
        field->installEventFilter(this);
        field->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Resize || type == QEvent::Show || type == QEvent::Move) schedule();
        return false;
    }

private:
    void schedule() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                if (field_) FitAnswerField(*field_);
            },
            Qt::QueuedConnection);
    }

    QPointer<QLineEdit> field_;
    bool pending_ = false;
};

}  // namespace

int TextWidth(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    const QSize text(field.fontMetrics().horizontalAdvance(field.text()) + 2 * kMargin, field.height());
    return field.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &field).width();
}

void FitAnswerField(QLineEdit& field) {
    const QString text = field.text();
    field.setToolTip(text);
    if (!field.parentWidget()) return;
    const int wanted = std::min(TextWidth(field), RightLimit(field) - field.x());
    if (wanted > field.width()) field.resize(wanted, field.height());
    // Whatever still does not fit scrolls; its start shows first.
    field.setCursorPosition(0);
}

void FitAnswerFields(const ControlRegistry& registry) {
    for (int id = 0; id < KV_CONTROL_ID_END; ++id) {
        auto* field = registry.get<QLineEdit>(id);
        if (field && field->isReadOnly()) new Fitter(field);
    }
}

}  // namespace kelvora
