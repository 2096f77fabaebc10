// Kavro: call accounting for a company's telephone exchange.
#include <QApplication>
#include <QMainWindow>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Kavro"));
    w.setCentralWidget(new QLabel(QStringLiteral("Kavro"), &w));
    w.show();
    return app.exec();
}
