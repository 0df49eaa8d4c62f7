#include "app/commands.h"

#include <QApplication>

namespace tellwick {

int runWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}

} // namespace tellwick
