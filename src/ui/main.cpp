#include "common/heap_policy.h"
#include "ui/app.h"

int main(int argc, char** argv) {
    novra::keepFreedMemoryForReuse();
    return novra::ui::runNovra(argc, argv);
}
