// A bare Qt 6 Widgets program: one main window holding one label, shown at once.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setCentralWidget(new QLabel(QStringLiteral("Bare Qt window"), &window));
    window.resize(400, 250);
    window.show();
    return QApplication::exec();
}
