// Pictures of the net. The renderer draws them as it draws a print job; this file sizes the picture,
// picks the device (QSvgGenerator, QPdfWriter, QImage) and writes the file through a temporary one.
#include "ui/picture_export.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "common/messages.h"
#include "model/net.h"
#include "ui/config.h"
#include "ui/edit_state.h"
#include "ui/renderer.h"

namespace novra::ui {

namespace {

// Around what is shown: half an object's cell, and as much again.
constexpr int kMargin = 40;
// Canvas pixels a side of any picture may span, and pixels a PNG may hold.
constexpr long long kMaxExtent = 1LL << 24;
constexpr long long kMaxPngSide = 1LL << 16;
constexpr long long kMaxPngPixels = 1LL << 28;

std::string withPath(const MsgText& m, const QString& path) {
    return QString::fromUtf8(text(m).c_str()).replace(QStringLiteral("%s"), path).toStdString();
}

struct Area {
    QPoint topLeft;
    QSize size;
};

// The canvas rectangle the picture covers: the objects' centres and the bend points of the arcs drawn,
// widened by the margin. False when it is too large for any picture.
bool pictureArea(const CNet& n, const std::set<int>* only, Area& area) {
    Rect b;
    const auto shown = [only](int id) { return !only || only->count(id) != 0; };
    for (const auto& [id, o] : n.objects())
        if (shown(id)) b.include(o.x, o.y);
    for (const auto& [id, a] : n.arcs())
        if (shown(a.fromId) && shown(a.toId))
            for (const Point& p : a.bendPoints) b.include(p.x, p.y);
    if (b.empty) b.include(0, 0);
    const long long w = static_cast<long long>(b.right) - b.left + 2 * kMargin;
    const long long h = static_cast<long long>(b.bottom) - b.top + 2 * kMargin;
    if (w > kMaxExtent || h > kMaxExtent) return false;
    const auto clampInt = [](long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    area.topLeft = QPoint(clampInt(static_cast<long long>(b.left) - kMargin),
                          clampInt(static_cast<long long>(b.top) - kMargin));
    area.size = QSize(int(w), int(h));
    return true;
}

// An SVG with every part of the drawing in a group of its own: <g class="place" id="o12">, "arc"
// (id "a3"), "background", "tokens". QSvgGenerator writes its whole document when the painter ends, so
// each part is drawn by a generator of its own and their bodies are put together here; the painter's
// state carries over from one to the next.
class CSvgParts {
  public:
    CSvgParts(QSize size, QString title) : size_(size), title_(std::move(title)) {}

    bool begin(QPainter& p) { return start(p, QByteArray()); }

    void next(QPainter& p, int part, int id) {
        QByteArray tag;
        switch (part) {
            case CRenderer::kPartBackground:
                tag = "<g class=\"background\">\n";
                break;
            case CRenderer::kPartTokens:
                tag = "<g class=\"tokens\">\n";
                break;
            case CRenderer::kPartArc:
                tag = "<g class=\"arc\" id=\"a" + QByteArray::number(id) + "\">\n";
                break;
            default:
                tag = QByteArray("<g class=\"") + kindName(part) + "\" id=\"o" + QByteArray::number(id) +
                      "\">\n";
                break;
        }
        const State s = save(p);
        finishPart(p);
        start(p, tag);
        restore(p, s);
    }

    // The document; empty when a generator wrote something unexpected.
    QByteArray finish(QPainter& p) {
        finishPart(p);
        if (!ok_) return QByteArray();
        return header_ + body_ + "</svg>\n";
    }

  private:
    struct State {
        QPen pen;
        QBrush brush;
        QFont font;
        QTransform transform;
        QPainter::RenderHints hints;
        qreal opacity;
    };
    static State save(const QPainter& p) {
        return {p.pen(), p.brush(), p.font(), p.worldTransform(), p.renderHints(), p.opacity()};
    }
    static void restore(QPainter& p, const State& s) {
        p.setPen(s.pen);
        p.setBrush(s.brush);
        p.setFont(s.font);
        p.setWorldTransform(s.transform);
        p.setRenderHints(s.hints);
        p.setOpacity(s.opacity);
    }

    bool start(QPainter& p, const QByteArray& tag) {
        buffer_ = std::make_unique<QBuffer>();
        buffer_->open(QIODevice::WriteOnly);
        gen_ = std::make_unique<QSvgGenerator>();
        gen_->setOutputDevice(buffer_.get());
        gen_->setSize(size_);
        gen_->setViewBox(QRect(QPoint(0, 0), size_));
        gen_->setResolution(96);  // a canvas pixel is a pixel of a 96 dpi screen
        gen_->setTitle(title_);
        gen_->setDescription(QStringLiteral("NOVRA"));
        tag_ = tag;
        return p.begin(gen_.get());
    }

    // Ends the current generator and keeps what it drew: its definitions and its body, between the
    // document's head and its closing tag.
    void finishPart(QPainter& p) {
        if (!gen_) return;
        p.end();
        const QByteArray& doc = buffer_->data();
        const qsizetype from = doc.indexOf("<defs>"), to = doc.lastIndexOf("</svg>");
        if (from < 0 || to < from) {
            ok_ = false;
        } else {
            if (header_.isEmpty()) header_ = doc.left(from);
            QByteArray inner = doc.mid(from, to - from);
            if (inner.startsWith("<defs>\n</defs>\n")) inner.remove(0, 15);
            body_ += tag_.isEmpty() ? inner : tag_ + inner + "</g>\n";
        }
        gen_.reset();
        buffer_.reset();
    }

    QSize size_;
    QString title_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QSvgGenerator> gen_;
    QByteArray tag_, header_, body_;
    bool ok_ = true;
};

// Draws the picture into the open file; false when the device could not be drawn on or written.
bool drawInto(QSaveFile& file, PictureFormat format, CRenderer& r, const Area& area, double scale,
              const std::set<int>* only, const QString& title) {
    QPainter p;
    switch (format) {
        case PictureFormat::Svg: {
            CSvgParts parts(area.size, title);
            if (!parts.begin(p)) return false;
            const CRenderer::PartHook hook = [&parts](QPainter& painter, int part, int id) {
                parts.next(painter, part, id);
            };
            r.drawPicture(p, area.topLeft, area.size, only, &hook);
            const QByteArray svg = parts.finish(p);
            return !svg.isEmpty() && file.write(svg) == svg.size();
        }
        case PictureFormat::Pdf: {
            // One page the size of the drawing, a canvas pixel being a pixel of a 96 dpi screen.
            QPdfWriter pdf(&file);
            pdf.setTitle(title);
            pdf.setCreator(QStringLiteral("NOVRA"));
            pdf.setResolution(96);
            pdf.setPageSize(
                QPageSize(QSizeF(area.size) * 0.75, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            if (!p.begin(&pdf)) return false;
            r.drawPicture(p, area.topLeft, area.size, only, nullptr);
            return p.end();
        }
        case PictureFormat::Png: {
            const int w = int(std::max(1L, std::lround(area.size.width() * scale)));
            const int h = int(std::max(1L, std::lround(area.size.height() * scale)));
            QImage image(w, h, QImage::Format_RGB32);
            if (image.isNull() || !p.begin(&image)) return false;
            p.scale(scale, scale);
            r.drawPicture(p, area.topLeft, area.size, only, nullptr);
            p.end();
            return image.save(&file, "PNG");
        }
        case PictureFormat::None:
            break;
    }
    return false;
}

}  // namespace

PictureFormat pictureFormat(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("svg")) return PictureFormat::Svg;
    if (ext == QLatin1String("pdf")) return PictureFormat::Pdf;
    if (ext == QLatin1String("png")) return PictureFormat::Png;
    return PictureFormat::None;
}

bool validPictureScale(double scale) {
    // A little slack, so that 0.1 typed or spun in steps counts as 0.1.
    return std::isfinite(scale) && scale >= kMinPictureScale - 1e-9 && scale <= kMaxPictureScale + 1e-9;
}

std::string writePicture(CRenderer& renderer, const QString& path, double scale, const std::set<int>* only) {
    const PictureFormat format = pictureFormat(path);
    if (format == PictureFormat::None) return withPath(msg::kPictureBadFormat, path);
    if (format != PictureFormat::Png) scale = 1;
    if (!validPictureScale(scale)) return text(msg::kPictureBadScale);
    Area area;
    if (!pictureArea(renderer.net(), only, area)) return withPath(msg::kPictureTooLarge, path);
    if (format == PictureFormat::Png) {
        const long long w = std::llround(area.size.width() * scale),
                        h = std::llround(area.size.height() * scale);
        if (w > kMaxPngSide || h > kMaxPngSide || w * h > kMaxPngPixels)
            return withPath(msg::kPictureTooLarge, path);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return withPath(msg::kPictureCannotWrite, path);
    if (!drawInto(file, format, renderer, area, scale, only, QFileInfo(path).completeBaseName())) {
        file.cancelWriting();
        return withPath(msg::kPictureCannotWrite, path);
    }
    if (!file.commit()) return withPath(msg::kPictureCannotWrite, path);
    return std::string();
}

std::string writeNetPicture(CNet& net, const ViewSettings& look, const QString& path, double scale) {
    QAbstractScrollArea host;
    EditState edit;
    CRenderer renderer(host, net, look, edit);
    return writePicture(renderer, path, scale);
}

}  // namespace novra::ui
