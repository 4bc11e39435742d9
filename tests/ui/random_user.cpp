#include "random_user.h"

#include <QCheckBox>
#include <QPlainTextEdit>

#include "ui/dialogs/dialogs.h"

namespace novra::ui::testing {

int RandomUser::pick(int kind) {
    std::vector<int> ids;
    for (const auto& [id, o] : f_.net().objects())
        if (kind == 0 || o.kind == kind) ids.push_back(id);
    return ids.empty() ? 0 : ids[static_cast<size_t>(any(static_cast<int>(ids.size())))];
}

int RandomUser::shown(int kind) {
    f_.r().renderFrame();
    std::vector<int> ids;
    for (const auto& [id, o] : f_.net().objects()) {
        const QPoint c = f_.r().toClient(o.x, o.y);
        if (c.x() < 25 || c.y() < 25 || c.x() > f_.r().clientWidth() - 25 || c.y() > f_.r().clientHeight() - 25)
            continue;
        if ((kind == 0 || o.kind == kind) && f_.r().idAt(c) == id) ids.push_back(id);
    }
    return ids.empty() ? 0 : ids[static_cast<size_t>(any(static_cast<int>(ids.size())))];
}

QPoint RandomUser::somewhere() {
    return {20 + any(f_.r().clientWidth() - 40), 20 + any(f_.r().clientHeight() - 40)};
}

QString RandomUser::act(Action a) {
    CNOVRAView& v = *f_.view;
    EditState& st = f_.st();
    switch (a) {
        case Place: {
            f_.run(any(2) ? Cmd::ToolPlace : Cmd::ToolTransition);
            const QPoint p = somewhere();
            click(v, p);
            return QString("object placed at %1,%2").arg(p.x()).arg(p.y());
        }
        case Token: {
            // The token tool lays a token with a click; on a token, a double click toggles its value and the
            // right button its colour.
            const int p = shown(kPlace);
            if (!p) return "";
            f_.run(Cmd::ToolToken);
            if (!f_.net().tokens().count(p))
                click(v, at(v, p));
            else if (any(2))
                doubleClick(v, at(v, p));
            else
                click(v, at(v, p), Qt::RightButton);
            return QString("token on %1").arg(p);
        }
        case Drag: {
            // One object, or it with five others selected.
            const int id = shown();
            if (!id) return "";
            f_.run(Cmd::ToolHand);
            st.selection.clear();
            if (any(2))
                for (int k = 0; k < 6; ++k) st.selection.insert(k ? pick() : id);
            QPoint p = at(v, id);
            press(v, p);
            for (int k = 0; k < 3; ++k) {
                p = k == 0 ? p + QPoint(13, 7) : somewhere();
                move(v, p, Qt::LeftButton);
                if (betweenMoves) betweenMoves();
            }
            release(v, p);
            st.selection.clear();
            st.selectionRect = QRect();
            return QString("drag of %1").arg(id);
        }
        case Paste: {
            // Pasted over the originals, or where a click on the canvas was; once or repeated.
            st.selection.clear();
            for (int k = 1 + any(4); k > 0; --k) st.selection.insert(pick());
            f_.run(Cmd::Copy);
            if (any(2)) {
                f_.run(Cmd::ToolHand);
                click(v, somewhere());
            }
            const bool repeated = any(2);
            if (repeated) f_.prompts.numbers.push_back(2);
            f_.run(repeated ? Cmd::PasteVertical : Cmd::Paste);
            return repeated ? "repeated paste" : "paste";
        }
        case Remove:
            st.selection = {pick(), pick()};
            f_.run(any(2) ? Cmd::Delete : Cmd::Cut);
            return "delete or cut";
        case Align:
            if (!v.commandEnabled(Cmd::Align)) return "";
            f_.run(Cmd::Align);
            return "align";
        case Dialog: {
            // A property dialog's OK: a transition's text and stop option, a source's words, a sink's expected
            // words.
            const int kind = kTransition + any(3);
            const int id = pick(kind);
            if (!id) return "";
            std::unique_ptr<QDialog> d;
            const char* field = "1022";
            if (kind == kTransition) d = std::make_unique<CTransitionDialog>(*f_.doc, id, &v);
            if (kind == kUhzi) d = std::make_unique<CUhziDialog>(*f_.doc, id, &v), field = "1024";
            if (kind == kKemmakix) d = std::make_unique<CKemmakixDialog>(*f_.doc, id, &v), field = "1008";
            d->show();
            auto* text = control<QPlainTextEdit>(d.get(), field);
            text->setPlainText(text->toPlainText() +
                               (kind == kTransition ? QString("//%1").arg(any(100)) : QString("\n%1").arg(any(2))));
            if (kind == kTransition) control<QCheckBox>(d.get(), "1058")->setChecked(any(2));
            pressWithMessage(d.get());
            return QString("dialog of %1").arg(id);
        }
        case Arc: {
            const int p = shown(kPlace), t = shown(kTransition);
            if (!p || !t) return "";
            f_.run(Cmd::ToolArc);
            press(v, at(v, p));
            move(v, at(v, t), Qt::LeftButton);
            release(v, at(v, t));
            return QString("arc tool from %1 to %2").arg(p).arg(t);
        }
        case DeleteTool: {
            const int id = shown();
            if (!id) return "";
            f_.run(Cmd::ToolDelete);
            click(v, at(v, id));
            return QString("delete tool on %1").arg(id);
        }
        case ClearAll:
            f_.prompts.defaultClearAll = true;
            f_.run(Cmd::ClearAll);
            return "clear all";
        case Zoom: {
            const int level = any(3);
            while (f_.r().zoomLevel() < level) f_.run(Cmd::ZoomOut);
            while (f_.r().zoomLevel() > level) f_.run(Cmd::ZoomIn);
            f_.r().setScrollPos({any(1600) - 800, any(1200) - 600});
            return QString("zoom %1").arg(f_.r().zoomLevel());
        }
    }
    return "";
}

}  // namespace novra::ui::testing
