#pragma once
// The small example nets of examples/ that show the file format: built here, written by make_file_examples
// and compared with the committed files by the tests.
#include <string>
#include <vector>

#include "model/net.h"

namespace novra::test {

struct FileExample {
    std::string file;  // name inside examples/
    void (*build)(CNet&);
};

const std::vector<FileExample>& fileExamples();

}  // namespace novra::test
