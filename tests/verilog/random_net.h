#pragma once
// Random deterministic nets for the circuit tests: functions and guards drawn from the whole language the
// net accepts (every operator, unbracketed mixes of "&", "|" and "^", "~~", "^~", "&~", "|~", an unclosed
// "(", named variables, several outputs), on pipelines, forks, joins, select branches that merge again and
// feedback loops, with several words per source.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/net_builder.h"

namespace novra::random_net {

struct Channel {
    int from;
    std::string var;  // output variable of a stage; empty for a source
};

class CRandomNet {
  public:
    explicit CRandomNet(unsigned seed) : rng_(seed) {}

    void build(CNet& net) {
        support::NetBuilder b(net);
        open_.clear();
        // Every source streams words of the same lengths, so that each word drains the whole net.
        std::vector<size_t> lengths(static_cast<size_t>(1 + pick(3)));
        for (size_t& n : lengths) n = static_cast<size_t>(2 + pick(5));
        for (int s = 1 + pick(3); s > 0; --s) {
            const int line = pick(2);
            std::vector<std::string> words;
            for (size_t n : lengths) words.push_back(word(n));
            open_.push_back({b.uhzi(words, line), ""});
        }
        for (int n = 2 + pick(6); n > 0 && !open_.empty(); --n) {
            const int kind = pick(10);
            if (kind < 2)
                selectAndMerge(b);
            else if (kind < 4)
                loop(b);
            else
                stage(b);
        }
        for (Channel c : open_) {
            if (c.var.empty()) {
                // A source read by a sink alone lets the net go quiet in the middle of a word.
                const int t = b.transition("o1=" + topExpression({"i1"}) + ";");
                b.link(c.from, t);
                c = {t, "o1"};
            }
            b.link(c.from, b.sink(pick(2)), c.var);
        }
    }

  private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    // A word that reads differently backwards, so that a reversal anywhere shows.
    std::string word(size_t n) {
        for (;;) {
            std::string w;
            for (size_t i = 0; i < n; ++i) w += pick(2) ? '1' : '0';
            if (!std::equal(w.begin(), w.end(), w.rbegin())) return w;
        }
    }

    std::string primary(const std::vector<std::string>& vars, int depth) {
        const int r = pick(10);
        if (r < 2 && depth > 0) return "(" + expression(vars, depth - 1) + ")";
        if (r < 4 && depth > 0) return "~" + primary(vars, depth - 1);  // "~~" and "~~~" too
        return vars[static_cast<size_t>(pick(static_cast<int>(vars.size())))];
    }
    // Terms joined by unbracketed "&", "|" and "^"; a "~" after an operator gives "&~", "|~" and "^~".
    std::string expression(const std::vector<std::string>& vars, int depth) {
        std::string e = primary(vars, depth);
        for (int n = pick(4); n > 0; --n) e += std::string(1, "&|^"[pick(3)]) + primary(vars, depth);
        return e;
    }
    // Sometimes ends in a "(" that is never closed; it stays within the evaluator's line length.
    std::string topExpression(const std::vector<std::string>& vars) {
        for (;;) {
            std::string e = expression(vars, 2);
            if (pick(6) == 0) e += std::string(1, "&|^"[pick(3)]) + "(" + expression(vars, 1);
            if (e.size() <= 60) return e;
        }
    }
    // The complement of a guard; a "(" the guard leaves open runs to the end either way.
    static std::string complement(const std::string& g) { return "~(" + g + ")"; }

    // Input names are picked from a pool so that the arcs carry words, not numbers.
    std::vector<std::string> inputNames(int n) {
        static const char* const pool[] = {"a", "b", "c", "x", "y", "d0", "in_2", "carry", "p", "q"};
        std::vector<std::string> names(std::begin(pool), std::end(pool));
        std::shuffle(names.begin(), names.end(), rng_);
        names.resize(static_cast<size_t>(n));
        return names;
    }
    static bool uses(const std::string& text, const std::string& name) {
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
            auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
            const bool before = at > 0 && word(text[at - 1]);
            const bool after = at + name.size() < text.size() && word(text[at + name.size()]);
            if (!before && !after) return true;
        }
        return false;
    }
    Channel takeOpen() {
        const size_t at = static_cast<size_t>(pick(static_cast<int>(open_.size())));
        const Channel c = open_[at];
        open_.erase(open_.begin() + static_cast<long>(at));
        return c;
    }

    // A stage of one to three inputs and one to three outputs, now and then behind a guard that always
    // holds but is written from the whole grammar.
    void stage(support::NetBuilder& b) {
        const auto names = inputNames(std::min(1 + pick(3), static_cast<int>(open_.size())));
        std::string f;
        if (pick(6) == 0) {
            // No open "(" here: it would swallow the rest of the guard.
            const std::string g = expression(names, 1);
            f = "?" + complement(g) + "|" + g + ";";
        }
        const int outputs = 1 + pick(3);
        static const char* const outNames[] = {"o1", "s", "co"};
        for (int o = 0; o < outputs; ++o) f += std::string(outNames[o]) + "=" + topExpression(names) + ";";
        const int t = b.transition(f);
        for (const auto& name : names)
            if (uses(f, name)) {
                const Channel c = takeOpen();
                b.link(c.from, t, c.var, name);
            }
        for (int o = 0; o < outputs; ++o) open_.push_back({t, outNames[o]});
    }

    // A select branch: two stages with complementary guards on the token's bit, merged again.
    void selectAndMerge(support::NetBuilder& b) {
        const Channel in = takeOpen();
        const int select = b.place();
        b.arc(in.from, select, in.var);
        const int merge = b.place();
        const std::string g = topExpression({"v"});
        for (const std::string& guard : {g, complement(g)}) {
            const int t = b.transition("?" + guard + ";w=" + topExpression({"v"}) + ";");
            b.arc(select, t, "v");
            b.arc(t, merge, "w");
        }
        const int after = b.transition("o1=" + topExpression({"m"}) + ";");
        b.arc(merge, after, "m");
        open_.push_back({after, "o1"});
    }

    // A stage whose output comes back to it as an input through two more stages, one black token in the
    // loop. Identity stages fold into a register of the stage; others stay a ring of stages.
    void loop(support::NetBuilder& b) {
        const Channel in = takeOpen();
        const std::vector<std::string> vars{"d", "fb"};
        std::string f;
        while (!uses(f, "d") || !uses(f, "fb"))
            f = "nx=" + topExpression(vars) + ";o1=" + topExpression(vars) + ";";
        const int t0 = b.transition(f);
        b.link(in.from, t0, in.var, "d");
        const bool identity = pick(3) != 0;
        const int t1 = b.transition(identity ? "o1=i1;" : "o1=" + topExpression({"i1"}) + ";");
        const int t2 = b.transition("o1=i1;");
        const int p1 = b.marked(kWhite, 0);
        b.arc(t0, p1, "nx");
        b.arc(p1, t1);
        b.link(t1, t2);
        const int p3 = b.marked(kBlack, pick(2));
        b.arc(t2, p3);
        b.arc(p3, t0, "fb");
        open_.push_back({t0, "o1"});
    }

    std::mt19937 rng_;
    std::vector<Channel> open_;
};

}  // namespace novra::random_net
