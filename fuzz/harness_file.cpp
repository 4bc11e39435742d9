// Net files: every input either loads into a consistent net that saves and reloads to the same bytes,
// or gives a message and still leaves a consistent net.
#include "common/error.h"
#include "fileio/fileio.h"
#include "harness.h"
#include "harness_net.h"

namespace novra::fuzz {

namespace {

// A small net with a record of every kind, for event files to attach to.
void buildEventTarget(CNet& net) {
    const int u = net.addObject(0, 0, kUhzi);
    const int p = net.addObject(10, 0, kPlace);
    const int t = net.addObject(20, 0, kTransition);
    const int q = net.addObject(30, 0, kPlace);
    const int k = net.addObject(40, 0, kKemmakix);
    net.addArc(u, p);
    net.addArc(p, t);
    net.addArc(t, q);
    net.addArc(q, k);
}

std::string trySave(CNet& net, const std::string& path) {
    try {
        fileio::save(net, path);
    } catch (const CError& e) {
        return e.message().empty() ? std::string("(empty message)") : e.message();
    }
    return "";
}

}  // namespace

std::string checkNetFile(std::string_view bytes) {
    const std::string path = writeScratch("input.pol", bytes);
    {
        CNet net;
        const std::string loadMessage = tryLoad(net, path);
        if (std::string p = netProblems(net); !p.empty()) return "after loading: " + p;
        const bool isEventFile = bytes.substr(0, 13) == "state machine";
        if (loadMessage.empty() && !isEventFile) {
            // What was read must survive a save; a text the writer refuses is reported, not lost.
            const std::string first = scratchPath("first.pol");
            if (!trySave(net, first).empty()) return "";
            CNet again;
            if (std::string m = tryLoad(again, first); !m.empty()) return "a saved net does not load: " + m;
            if (std::string p = netProblems(again); !p.empty()) return "after reloading: " + p;
            if (again.objects().size() != net.objects().size() || again.arcs().size() != net.arcs().size() ||
                again.tokens().size() != net.tokens().size())
                return "reloading changed the number of objects, arcs or tokens";
            const std::string second = scratchPath("second.pol");
            if (std::string m = trySave(again, second); !m.empty())
                return "a reloaded net does not save: " + m;
            if (readScratch(first) != readScratch(second)) return "saving a reloaded net gives other bytes";
        }
    }
    if (bytes.substr(0, 13) == "state machine") {
        CNet net;
        buildEventTarget(net);
        tryLoad(net, path);
        if (std::string p = netProblems(net); !p.empty()) return "after events on a net: " + p;
    }
    return "";
}

}  // namespace novra::fuzz
