// Reading event files: blocks of number pairs attached, in order, to the transitions, uhzis, kemmakixes and
// places of the net that is loaded.
#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"
#include "fileio/records.h"

namespace novra::fileio {

namespace {

class EventReader {
  public:
    EventReader(CNet& net, std::string_view text)
        : net_(net),
          cur_(text),
          transition_(net.transitions().begin()),
          place_(net.places().begin()),
          uhzi_(net.uhzis().begin()),
          kemmakix_(net.kemmakixes().begin()) {}

    void run() {
        cur_.next();  // the "state machine" line
        bool haveLine = cur_.next();
        while (haveLine) {
            const std::string_view line = cur_.line();
            // "main:pipe:" before "main:p", which it also begins with.
            if (startsWith(line, "main:pipe:")) {
                auto& [id, t] = *take(transition_, net_.transitions(), msg::kTransitionCountMismatch);
                haveLine = pairBlock(id, t.events);
            } else if (startsWith(line, "main:u")) {
                auto& [id, u] = *take(uhzi_, net_.uhzis(), msg::kUhziCountMismatch);
                haveLine = pairBlock(id, u.events);
            } else if (startsWith(line, "main:k")) {
                auto& [id, k] = *take(kemmakix_, net_.kemmakixes(), msg::kKemmakixCountMismatch);
                haveLine = pairBlock(id, k.events);
            } else if (startsWith(line, "main:p")) {
                auto& [id, p] = *take(place_, net_.places(), msg::kPlaceCountMismatch);
                haveLine = placeBlock(id, p.events);
            } else {
                haveLine = cur_.next();
            }
        }
        net_.setHasEvents();
    }

  private:
    template <typename It, typename Map>
    It take(It& cursor, const Map& records, const MsgText& tooMany) {
        if (cursor == records.end()) raise(text(tooMany));
        return cursor++;
    }

    void pair(const Scanner& start, int id, EventTable& events) {
        Scanner s = start;
        int a = 0, b = 0;
        if (!s.num(a) || !s.ch(',') || !s.num(b)) badRecord(cur_);
        net_.addEventIndex(a, id);
        events[a] = b;
    }

    // The next block begins where this one was cut short; that line is read again by run().
    static bool nextBlockStarts(std::string_view line) { return startsWith(line, "main:"); }

    // Lines up to "c_element" are skipped, then pairs follow up to a line beginning with "r". Returns
    // whether the current line still needs to be read by run().
    bool pairBlock(int id, EventTable& events) {
        for (;;) {
            if (!cur_.next()) return false;
            if (nextBlockStarts(cur_.line())) return true;
            if (startsWith(cur_.line(), "c_element")) break;
        }
        for (;;) {
            if (!cur_.next()) return false;
            const std::string_view line = cur_.line();
            if (startsWith(line, "r")) return cur_.next();
            if (nextBlockStarts(line)) return true;
            Scanner s(line);
            if (s.blankRest()) continue;
            pair(s, id, events);
        }
    }

    // Pairs follow directly, as long as lines begin with a digit.
    bool placeBlock(int id, EventTable& events) {
        for (;;) {
            if (!cur_.next()) return false;
            const std::string_view line = cur_.line();
            if (line.empty() || line[0] < '0' || line[0] > '9') return true;
            pair(Scanner(line), id, events);
        }
    }

    CNet& net_;
    LineCursor cur_;
    IdMap<CTransition>::iterator transition_;
    PlaceMap::iterator place_;
    IdMap<CUhzi>::iterator uhzi_;
    IdMap<CKemmakix>::iterator kemmakix_;
};

}  // namespace

void readEventFile(CNet& net, std::string_view text) {
    EventReader(net, text).run();
}

}  // namespace novra::fileio
