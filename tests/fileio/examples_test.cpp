// The committed examples are exactly what the program writes for the nets they describe.
#include "fileio/example_nets.h"
#include "fileio/fileio.h"
#include "fileio/fileio_helpers.h"

using namespace novra;
using namespace novra::test;

TEST(Examples, CommittedFilesAreTheProgramsOwnOutput) {
    TempDir dir;
    for (const FileExample& ex : fileExamples()) {
        SCOPED_TRACE(ex.file);
        CNet built;
        ex.build(built);
        fileio::save(built, dir.file(ex.file));
        const std::string committed = std::string(NOVRA_SOURCE_DIR) + "/examples/" + ex.file;
        EXPECT_EQ(readBytes(committed), readBytes(dir.file(ex.file)));
        CNet loaded;
        fileio::load(loaded, committed);
        expectSameNet(built, loaded);
    }
}
