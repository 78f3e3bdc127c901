// Kelvora: a calculator for school and university students.
#include <QApplication>

#include "application.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return kelvora::RunKelvora(application);
}
