#include "ui/edit_script.h"

#include <QFile>
#include <QStringList>

#include "ui/doc.h"

namespace novra::ui {

namespace {

// One line as an edit of the net; false when it is not one.
bool apply(CNOVRADoc& doc, const QStringList& w) {
    const QString& op = w[0];
    std::vector<int> n;
    for (qsizetype i = 1; i < w.size(); ++i) {
        bool ok = false;
        n.push_back(w[i].toInt(&ok));
        if (!ok) return false;
    }
    CNet& net = doc.net();
    const auto has = [&](int id) { return net.kindOf(id) != 0; };
    const auto step = [&](EditStep what, auto edit) {
        doc.beginStep(what);
        edit();
        doc.endStep();
        return true;
    };
    for (int kind = kPlace; kind <= kKemmakix; ++kind)
        if (op == kindName(kind) && n.size() == 2)
            return step(EditStep::Place, [&] { net.addObject(n[0], n[1], kind); });
    if (op == "arc" && n.size() == 2 && has(n[0]) && has(n[1]))
        return step(EditStep::Arc, [&] { net.addArc(n[0], n[1]); });
    if (op == "token" && n.size() == 3 && net.kindOf(n[0]) == kPlace && (n[1] == kBlack || n[1] == kWhite))
        return step(EditStep::Token, [&] { net.setToken(n[0], n[1], n[2]); });
    if (op == "move" && n.size() == 3 && has(n[0]))
        return step(EditStep::Move, [&] { net.moveObject(n[0], n[1], n[2]); });
    if (op == "delete" && n.size() == 1 && has(n[0]))
        return step(EditStep::Delete, [&] {
            net.removeToken(n[0]);
            net.deleteObject(n[0]);
        });
    if (op == "undo" && n.empty() && doc.canUndo()) return doc.undo(), true;
    if (op == "redo" && n.empty() && doc.canRedo()) return doc.redo(), true;
    return false;
}

}  // namespace

int runEditScript(CNOVRADoc& doc, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > (qint64(16) << 20)) return -1;
    int number = 0;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        ++number;
        const QStringList words = QString::fromUtf8(raw).simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith('#')) continue;
        if (!apply(doc, words)) return number;
    }
    return 0;
}

}  // namespace novra::ui
