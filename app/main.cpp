#include <QApplication>

#include "window/form1.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("interp1d-tour"));
    tour::Form1 form;
    form.show();
    return QApplication::exec();
}
