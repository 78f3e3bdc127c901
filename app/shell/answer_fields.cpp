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
// text, then resizes and hides its neighbours). The field is as wide as its text needs
// within the room it has, and never narrower than it was made (or than the library last
// made it).
class Fitter : public QObject {
public:
    explicit Fitter(QLineEdit* field) : QObject(field), field_(field), madeWidth_(field->width()) {
        QObject::connect(field, &QLineEdit::textChanged, this, [this] { schedule(); });
        field->installEventFilter(this);
        field->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Resize && watched == field_ && field_->width() != fittedWidth_) {
            madeWidth_ = field_->width();
        }
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
                if (field_) fit(*field_);
            },
            Qt::QueuedConnection);
    }

    void fit(QLineEdit& field) {
        field.setToolTip(field.text());
        const int room = RightLimit(field) - field.x();
        const int width = std::max(madeWidth_, std::min(TextWidth(field), room));
        if (width != field.width()) {
            fittedWidth_ = width;
            field.resize(width, field.height());
        }
        // Whatever still does not fit scrolls; its start shows first.
        field.setCursorPosition(0);
    }

    QPointer<QLineEdit> field_;
    int madeWidth_;
    int fittedWidth_ = -1;
    bool pending_ = false;
};

}  // namespace

int TextWidth(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    const QSize text(field.fontMetrics().horizontalAdvance(field.text()) + 2 * kMargin, field.height());
    return field.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &field).width();
}

void FitAnswerFields(const ControlRegistry& registry) {
    for (int id = 0; id < KV_CONTROL_ID_END; ++id) {
        auto* field = registry.get<QLineEdit>(id);
        if (field && field->isReadOnly() && field->parentWidget()) new Fitter(field);
    }
}

}  // namespace kelvora
