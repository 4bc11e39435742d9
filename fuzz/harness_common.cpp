// Scratch folder of the fuzz checks: one per process, created on first use and removed at exit.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "harness.h"

namespace novra::fuzz {

namespace {

struct Scratch {
    std::filesystem::path dir;
    Scratch() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "novra-fuzz-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        dir = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

}  // namespace

std::string scratchPath(const std::string& name) {
    static Scratch scratch;
    return (scratch.dir / name).string();
}

}  // namespace novra::fuzz

#include <fstream>
#include <iterator>

#include "common/error.h"
#include "fileio/fileio.h"
#include "harness_net.h"

namespace novra::fuzz {

std::string writeScratch(const std::string& name, std::string_view bytes) {
    const std::string path = scratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::abort();  // the harness itself cannot work
    return path;
}

std::string readScratch(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string tryLoad(CNet& net, const std::string& path) {
    try {
        fileio::load(net, path);
    } catch (const CError& e) {
        return e.message().empty() ? std::string("(empty message)") : e.message();
    }
    return "";
}

std::string netProblems(const CNet& net) {
    const auto recordsHaveViews = [&](const auto& records, int kind) -> std::string {
        for (const auto& kv : records)
            if (net.kindOf(kv.first) != kind) return "record " + std::to_string(kv.first) + " has no view";
        return "";
    };
    for (const std::string& p :
         {recordsHaveViews(net.places(), kPlace), recordsHaveViews(net.transitions(), kTransition),
          recordsHaveViews(net.uhzis(), kUhzi), recordsHaveViews(net.kemmakixes(), kKemmakix)})
        if (!p.empty()) return p;
    for (const auto& [id, v] : net.objects()) {
        const size_t records =
            net.places().count(id) + net.transitions().count(id) + net.uhzis().count(id) + net.kemmakixes().count(id);
        if (records != 1)
            return "object " + std::to_string(id) + " has " + std::to_string(records) + " records";
        if (id <= 0 || id >= net.nextId()) return "object " + std::to_string(id) + " outside 1..nextId";
    }
    for (const auto& kv : net.tokens())
        if (!net.places().count(kv.first)) return "token on " + std::to_string(kv.first) + " which is no place";
    for (int id : net.simTranOpt())
        if (!net.transitions().count(id)) return "simTranOpt " + std::to_string(id) + " is no transition";
    if (net.outArcs().size() != net.arcs().size() || net.inArcs().size() != net.arcs().size())
        return "arc indexes out of step";
    for (const auto& [arcId, a] : net.arcs()) {
        if (net.kindOf(a.fromId) == 0 || net.kindOf(a.toId) == 0)
            return "arc " + std::to_string(arcId) + " ends at no object";
        if (arcId >= net.arcCounter()) return "arc " + std::to_string(arcId) + " beyond the arc counter";
    }
    return "";
}

}  // namespace novra::fuzz
