#include "ui/app.h"

int main(int argc, char** argv) {
    return novra::ui::runNovra(argc, argv);
}
