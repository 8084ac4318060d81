#include "platform/drawing/GraphicsSystem.h"

#include <QGuiApplication>

#include <cstdlib>

namespace {

// QGuiApplication keeps references to argc and argv for its whole life.
int g_argc = 1;
char g_programName[] = "velmora";
char* g_argv[] = {g_programName, nullptr};

} // namespace

void EnsureGraphicsSystem()
{
    if (QGuiApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Deliberately never destroyed: it must outlive every font and canvas, and static
    // destruction order across libraries is not ours to control.
    new QGuiApplication(g_argc, g_argv);
}
