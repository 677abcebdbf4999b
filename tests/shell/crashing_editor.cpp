// An editor that makes two steps, undoes one and is then killed, as a crash or
// `kill -9` would end it. Usage: crashing_editor FOLDER (with its settings file).
#include "editor_fixture.h"

#include <csignal>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    trvtest::ensureApplication();
    FakePlatform platform;
    Form1 w(platform, AppPaths::portableIn(QString::fromLocal8Bit(argv[1])));
    w.show();
    w.WaterU_MouseUp(2);
    w.WaterU_MouseUp(2);
    w.MUndo_Click();
    std::raise(SIGKILL);
}
