// The main window's side of the graph view: the build button and the view's tools, the
// drawing resources by mode, painting, saving the picture, and the mouse.
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWheelEvent>

#include "control_ids.h"
#include "graph_theme.h"
#include "main_window.h"
#include "modes.h"
#include "qt_graph_canvas.h"
#include "svg_graph_canvas.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr QRect kGraphToolsPlace(110, 50, 330, 30);

// Where the cursor's coordinates show: the lower right of the plot, wide enough for
// long numbers.
QRect CursorCorner(int clientWidth, int clientHeight) {
    constexpr int kHeight = 48;
    return QRect(clientWidth / 4, clientHeight - kHeight, clientWidth - clientWidth / 4, kHeight);
}

graph::GraphPoint ToGraphPoint(QPointF at) { return {static_cast<float>(at.x()), static_cast<float>(at.y())}; }

}  // namespace

void MainWindow::buildGraph() {
    const QtControl* input = registry_.port(KV_GRAPH_INPUT);
    graph_.build(input ? input->text(graph::kMaxFormulaTextLength) : std::wstring(), desktop_);
    update();
}

// The tools beside the build button and the same actions in the plot's context menu;
// the curves are computed on the session's worker, and each finished view repaints.
void MainWindow::createGraphTools() {
    graph_.computeInBackground([this] {
        QMetaObject::invokeMethod(this, [this] { if (graph_.collect()) update(); }, Qt::QueuedConnection);
    });
    graphMenu_ = new QMenu(this);
    QAction* keyPoints = graphMenu_->addAction(QString::fromUtf8(ui::kGraphKeyPoints));
    keyPoints->setCheckable(true);
    QObject::connect(keyPoints, &QAction::toggled, this, [this](bool shown) {
        graph_.showKeyPoints(shown);
        update();
    });
    QAction* home = graphMenu_->addAction(QString::fromUtf8(ui::kGraphHome));
    home->setShortcut(Qt::Key_Home);
    QObject::connect(home, &QAction::triggered, this, [this] {
        graph_.resetView();
        update();
    });
    QAction* save = graphMenu_->addAction(QString::fromUtf8(ui::kGraphSave));
    save->setShortcut(QKeySequence::Save);
    QObject::connect(save, &QAction::triggered, this, [this] { askAndSaveGraphPicture(); });

    graphTools_ = new QWidget(this);
    graphTools_->setGeometry(kGraphToolsPlace);
    auto* row = new QHBoxLayout(graphTools_);
    row->setContentsMargins(0, 0, 0, 0);
    for (QAction* action : {keyPoints, home, save}) {
        addAction(action);  // the shortcuts work wherever the focus is in the window
        auto* button = new QPushButton(action->text(), graphTools_);
        button->setCheckable(action->isCheckable());
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
        QObject::connect(action, &QAction::toggled, button, &QPushButton::setChecked);
        row->addWidget(button);
    }
    graphTools_->hide();
}

// Every mode switch drops the graph's resources and cached curves; entering Graphs makes
// new ones. The plot covers the whole window, so Qt need not fill the background first.
void MainWindow::switchGraphResources() {
    graph_.releaseResources();
    const bool graphs = appMode_ == kGraphsMode;
    if (graphs) graph_.enterMode();
    setAttribute(Qt::WA_OpaquePaintEvent, graphs);
    setMouseTracking(graphs);
    graphTools_->setVisible(graphs);
    for (QAction* action : graphMenu_->actions()) action->setEnabled(graphs);
}

void MainWindow::paintPlotArea(QPainter& painter) {
    QtGraphCanvas canvas(painter);
    graph::DarkGraphCanvas darkCanvas(canvas);
    graph::GraphCanvas& target = IsDarkPalette(palette()) ? static_cast<graph::GraphCanvas&>(darkCanvas) : canvas;
    graph_.render(target, clientWidth_, clientHeight_, settings_.graph());
}

bool MainWindow::saveGraphPicture(const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        graph::SvgGraphCanvas canvas(clientWidth_, clientHeight_);
        graph_.renderStill(canvas, clientWidth_, clientHeight_, settings_.graph());
        QFile file(path);
        const std::string document = canvas.document();
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(document.data(), static_cast<qint64>(document.size())) ==
                   static_cast<qint64>(document.size());
    }
    QImage image(std::max(1, clientWidth_), std::max(1, clientHeight_), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtGraphCanvas canvas(painter);
        graph_.renderStill(canvas, clientWidth_, clientHeight_, settings_.graph());
    }
    return image.save(path, "PNG");
}

void MainWindow::askAndSaveGraphPicture() {
    if (appMode_ != kGraphsMode) return;
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8(ui::kGraphSaveCaption), QString(),
                                                QString::fromUtf8(ui::kGraphSaveFilter), &filter);
    if (path.isEmpty()) return;
    const bool svg = filter.contains(QStringLiteral("*.svg"));
    const QString ending = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        path += ending;
    }
    if (!saveGraphPicture(path)) {
        desktop_.showMessage(this, QString::fromUtf8(ui::kGraphSaveFailed), QString::fromUtf8(ui::kGraphSaveCaption),
                             QMessageBox::Warning, QMessageBox::Ok);
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (appMode_ != kGraphsMode || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    // Qt keeps sending the mouse here until the button is released, as a capture would.
    const QPoint at = event->position().toPoint();
    graph_.view().press(at.x(), at.y());
}

// A drag repaints everything; a mere move only the corner with the coordinates.
void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (appMode_ == kGraphsMode) graph_.hover(ToGraphPoint(event->position()));
    if (graph_.view().move(at.x(), at.y(), clientWidth_, clientHeight_)) update();
    else if (appMode_ == kGraphsMode) update(CursorCorner(clientWidth_, clientHeight_));
    else QWidget::mouseMoveEvent(event);
}

// A click without a drag puts the marker on the nearest curve, or takes it away.
void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click = graph_.view().dragging() && graph_.view().wasClick(at.x(), at.y());
    if (event->button() != Qt::LeftButton || !graph_.view().release()) return QWidget::mouseReleaseEvent(event);
    if (click) {
        graph_.pick(ToGraphPoint(event->position()), clientWidth_, clientHeight_);
        update();
    }
}

// Only vertical wheel steps zoom, at the mouse; a delta of zero marks the start or end of
// a touchpad gesture, not a step.
void MainWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (appMode_ != kGraphsMode || delta == 0) return QWidget::wheelEvent(event);
    const QPointF at = event->position();
    graph_.view().zoomAt(delta, at.x(), at.y(), clientWidth_, clientHeight_);
    update();
}

void MainWindow::leaveEvent(QEvent* event) {
    graph_.hover(std::nullopt);
    if (appMode_ == kGraphsMode) update();
    QWidget::leaveEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (appMode_ != kGraphsMode) return QWidget::contextMenuEvent(event);
    graphMenu_->popup(event->globalPos());
}

}  // namespace kelvora
