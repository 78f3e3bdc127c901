// The main window: every control of every mode, created once and shown by mode, and the
// single command entry through which clicks, menu commands and list selections pass.
#pragma once

#include <map>

#include <QTimer>
#include <QWidget>

#include "controls.h"
#include "graph_session.h"
#include "history_panel.h"
#include "memory_list.h"
#include "modes.h"
#include "qt_ports.h"
#include "settings_page.h"
#include "system_panel.h"

class QAction;
class QLabel;
class QMenu;

namespace kelvora {

class SettingsStore;

struct View;

inline constexpr int kMemoryIndicatorTimeoutMs = 10000;

class MainWindow : public QWidget {
public:
    explicit MainWindow(QtDesktop& desktop);
    ~MainWindow() override;

    // A click or menu command (code 0) or a list's selection change (code 1). What the
    // program does not take itself goes to the library as a button code.
    void command(int controlId, int code);

    int appMode() const { return appMode_; }
    QString caption() const;
    // The caption gives way where a page has a title of its own.
    bool captionShown() const;
    const ControlRegistry& controls() const { return registry_; }
    // The menu item that sends this command, or null.
    QAction* menuItem(int command) const;
    const GraphSettings& graphSettings() const { return settings_.graph(); }
    const graph::GraphSession& graphSession() const { return graph_; }
    // The graph view's picture at the view's size, as PNG or (by the name's ending) SVG.
    bool saveGraphPicture(const QString& path);
    const SystemPanel& systemPanel() const { return systemPanel_; }
    HistoryPanel& history() { return history_; }
    // Restores the kept settings, history, mode and size, and keeps them from now on.
    void persistIn(SettingsStore& store);
    QTimer& memoryIndicatorTimer() { return memoryTimer_; }
    // The user's window size, kept across mode switches.
    WindowSizing& sizing() { return sizing_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Panning and zooming the graph view.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // The graph view draws the plot area here in Graphs mode.
    virtual void paintPlotArea(QPainter& painter);

private:
    bool consume(int controlId, int code);
    void applyView(const View& view);
    void applyFrame(const View& view);
    void checkMenuItem(int command);
    void layOutKeypad();
    void openModeMenu();
    void showMemoryIndicator(int memoryButton);
    void hideMemoryIndicators();
    void recallFromMemoryList();
    void showAbout();
    void paintNumberLine(QPainter& painter);
    void buildGraph();
    void switchGraphResources();
    void createGraphTools();
    void askAndSaveGraphPicture();

    void createMemoryIndicators();
    void createModeButton();
    void createModeMenu();
    void createDisplay();
    void createMemoryList();
    void restoreWindow();
    void keepWindow();

    QtDesktop& desktop_;
    ControlRegistry registry_;
    QtControl port_;
    Controls controls_;
    SettingsPage settings_;
    SystemPanel systemPanel_;
    graph::GraphSession graph_;
    QWidget* graphTools_ = nullptr;
    QMenu* graphMenu_ = nullptr;
    QLabel* caption_ = nullptr;
    QMenu* menu_ = nullptr;
    std::map<int, QAction*> menuItems_;
    QTimer memoryTimer_;
    MemoryComboSelectFunction memoryComboSelect_ = nullptr;
    WindowSizing sizing_;
    int appMode_ = 1;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    HistoryPanel history_;
    SettingsStore* store_ = nullptr;
    int viewCommand_ = 0;
};

}  // namespace kelvora
