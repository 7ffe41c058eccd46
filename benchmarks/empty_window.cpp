// The baseline for start-up: an empty Qt main window with a menu, a toolbar
// and a status bar, and nothing of Orvanta's own.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Empty window");
    window.menuBar()->addMenu("File")->addAction("Quit");
    window.addToolBar("Tools")->addAction("Action");
    window.statusBar()->showMessage("Ready");
    window.resize(1024, 768);
    window.show();
    return QApplication::exec();
}
