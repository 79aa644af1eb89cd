#include "widgets/FormImageContainer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>

// The compiled-in skin glyphs live in a static library; this pulls them into the program.
static void initSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace {

enum class Look { Up, Over, Down };

// Skin colours.
constexpr QColor DialogBlue(0x02, 0x51, 0xD5);
constexpr QColor TitleBlue(0x01, 0x45, 0xB6);
constexpr QColor DeepBlue(0x05, 0x22, 0x63);
constexpr QColor Outline(0x0a, 0x2a, 0x6e);

QImage transparentImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QImage renderGlyph(QSvgRenderer& svg, int side)
{
    QImage image = transparentImage(side, side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(0, 0, side, side));
    return image;
}

// A rounded, glossy tile with a glyph: the look of every picture button inside pages and
// dialogs. Up is a pale tile, Over glows cyan and is lighter, Down is darker with the glyph
// pushed one pixel down and to the right.
QPixmap tileButton(int size, Look look, const QImage& glyph)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal margin = size >= 40 ? 2.5 : 1.5;
    const QRectF r(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal radius = size * 0.2;

    if (look == Look::Over) {
        for (int i = 3; i >= 1; --i) {
            QColor glow(0x6f, 0xd6, 0xff, 70 * (4 - i));
            p.setPen(QPen(glow, i * 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(r.adjusted(-i * 0.5, -i * 0.5, i * 0.5, i * 0.5), radius + i * 0.5,
                              radius + i * 0.5);
        }
    }

    QLinearGradient fill(0, r.top(), 0, r.bottom());
    QColor border;
    switch (look) {
    case Look::Up:
        fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(0.5, QColor(0xe6, 0xef, 0xfd));
        fill.setColorAt(1, QColor(0xb9, 0xcf, 0xf3));
        border = Outline;
        break;
    case Look::Over:
        fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(0.5, QColor(0xf2, 0xfa, 0xff));
        fill.setColorAt(1, QColor(0xcf, 0xec, 0xff));
        border = QColor(0x1f, 0x86, 0xff);
        break;
    case Look::Down:
        fill.setColorAt(0, QColor(0x86, 0xa6, 0xdc));
        fill.setColorAt(0.4, QColor(0xae, 0xc6, 0xee));
        fill.setColorAt(1, QColor(0xd5, 0xe3, 0xfa));
        border = QColor(0x04, 0x17, 0x45);
        break;
    }
    p.setPen(QPen(border, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);

    if (look == Look::Down) {
        // Inner shadow along the top edge: the tile looks pushed in.
        QPainterPath clip;
        clip.addRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        p.setClipPath(clip);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(r.top(), r.top() + size * 0.18, QColor(0, 0x10, 0x40, 110),
                            QColor(0, 0x10, 0x40, 0)));
        p.drawRect(r);
        p.setClipping(false);
    } else {
        // Gloss on the upper half.
        QPainterPath gloss;
        gloss.addRoundedRect(QRectF(r.left() + 2, r.top() + 1.5, r.width() - 4, r.height() * 0.46),
                             radius - 1.5, radius - 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(r.top(), r.top() + r.height() * 0.5, QColor(255, 255, 255, 200),
                            QColor(255, 255, 255, 40)));
        p.drawPath(gloss);
    }

    const QPointF at((size - glyph.width()) / 2.0, (size - glyph.height()) / 2.0);
    if (look == Look::Down) {
        p.setOpacity(0.9);
        p.drawImage(at + QPointF(1, 1), glyph);
    } else {
        p.drawImage(at, glyph);
    }
    p.end();
    return QPixmap::fromImage(image);
}

enum class WindowGlyph { Min, Max, Exit };

// The 22 x 22 window buttons: small rounded blue squares with a white sign; the exit button
// turns red under the mouse.
QPixmap windowButton(WindowGlyph glyph, Look look)
{
    const int size = 22;
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);

    QLinearGradient fill(0, r.top(), 0, r.bottom());
    QColor border(0x03, 0x14, 0x40);
    switch (look) {
    case Look::Up:
        fill.setColorAt(0, QColor(0x5b, 0x95, 0xf0));
        fill.setColorAt(0.5, QColor(0x23, 0x5f, 0xd0));
        fill.setColorAt(1, QColor(0x12, 0x3f, 0x9c));
        break;
    case Look::Over:
        if (glyph == WindowGlyph::Exit) {
            fill.setColorAt(0, QColor(0xff, 0x9a, 0x86));
            fill.setColorAt(0.5, QColor(0xe8, 0x3c, 0x28));
            fill.setColorAt(1, QColor(0xa8, 0x1a, 0x10));
            border = QColor(0x4a, 0x08, 0x04);
        } else {
            fill.setColorAt(0, QColor(0x9c, 0xd2, 0xff));
            fill.setColorAt(0.5, QColor(0x45, 0x93, 0xff));
            fill.setColorAt(1, QColor(0x1f, 0x62, 0xd8));
        }
        break;
    case Look::Down:
        fill.setColorAt(0, QColor(0x0a, 0x24, 0x66));
        fill.setColorAt(1, QColor(0x1c, 0x4c, 0xb0));
        break;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
    if (look != Look::Down) {
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(r.top(), r.center().y(), QColor(255, 255, 255, 130),
                            QColor(255, 255, 255, 20)));
        p.drawRoundedRect(QRectF(r.left() + 1.5, r.top() + 1, r.width() - 3, r.height() / 2), 3, 3);
    }

    const qreal shift = look == Look::Down ? 1 : 0;
    p.translate(shift, shift);
    QPen pen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen shadow(QColor(0, 0x10, 0x40, 150), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(pass == 0 ? shadow : pen);
        p.setBrush(Qt::NoBrush);
        const qreal o = pass == 0 ? 0.8 : 0;
        switch (glyph) {
        case WindowGlyph::Min:
            p.drawLine(QPointF(6.5 + o, 14.5 + o), QPointF(15.5 + o, 14.5 + o));
            break;
        case WindowGlyph::Max:
            p.drawRect(QRectF(6.5 + o, 6.5 + o, 9, 8.5));
            p.drawLine(QPointF(6.5 + o, 8 + o), QPointF(15.5 + o, 8 + o));
            break;
        case WindowGlyph::Exit:
            p.drawLine(QPointF(7 + o, 7 + o), QPointF(15 + o, 15 + o));
            p.drawLine(QPointF(15 + o, 7 + o), QPointF(7 + o, 15 + o));
            break;
        }
    }
    p.end();
    return QPixmap::fromImage(image);
}

// Section tab, 85 x 24, rounded on top. The pressed tab is bright and runs into the page strip
// below it; a released tab is a darker blue.
QPixmap sectionTab(bool pressed)
{
    const int w = 85, h = 24;
    QImage image = transparentImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const qreal r = 6;
    shape.moveTo(0.5, h);
    shape.lineTo(0.5, r + 0.5);
    shape.quadTo(0.5, 0.5, r + 0.5, 0.5);
    shape.lineTo(w - r - 0.5, 0.5);
    shape.quadTo(w - 0.5, 0.5, w - 0.5, r + 0.5);
    shape.lineTo(w - 0.5, h);

    QLinearGradient fill(0, 0, 0, h);
    if (pressed) {
        fill.setColorAt(0, QColor(0x6c, 0xb8, 0xff));
        fill.setColorAt(0.45, QColor(0x1e, 0x78, 0xf0));
        fill.setColorAt(1, DialogBlue);
    } else {
        fill.setColorAt(0, QColor(0x3a, 0x6c, 0xc8));
        fill.setColorAt(0.5, QColor(0x1d, 0x47, 0x9e));
        fill.setColorAt(1, QColor(0x12, 0x33, 0x7c));
    }
    p.setPen(QPen(pressed ? QColor(0x9f, 0xd6, 0xff) : QColor(0x04, 0x18, 0x4a), 1));
    p.setBrush(fill);
    p.drawPath(shape);
    // Gloss.
    p.setPen(Qt::NoPen);
    p.setBrush(
        vertical(1, h / 2.0, QColor(255, 255, 255, pressed ? 110 : 60), QColor(255, 255, 255, 0)));
    p.drawRoundedRect(QRectF(2, 1.5, w - 4, h / 2.0 - 1), 4, 4);
    if (!pressed) {
        p.setPen(QPen(QColor(0x04, 0x18, 0x4a), 1));
        p.drawLine(QPointF(0, h - 0.5), QPointF(w, h - 0.5));
    }
    p.end();
    return QPixmap::fromImage(image);
}

// Background of the header: deep blue with a soft shine across the top.
void paintHeaderBackground(QPainter& p, int w, int h)
{
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x1a, 0x5a, 0xd0));
    g.setColorAt(0.42, QColor(0x0b, 0x3c, 0xa8));
    g.setColorAt(0.43, QColor(0x08, 0x33, 0x94));
    g.setColorAt(1, DeepBlue);
    p.fillRect(0, 0, w, h, g);
    p.fillRect(0, 0, w, 1, QColor(0x6f, 0xa8, 0xff));
    p.fillRect(0, h - 1, w, 1, QColor(0x02, 0x10, 0x36));
}

// The emblem: two leaves over a light disc.
void paintEmblem(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(box.center() - QPointF(box.width() * 0.15, box.height() * 0.2),
                         box.width() * 0.7);
    disc.setColorAt(0, QColor(0xff, 0xff, 0xff));
    disc.setColorAt(0.7, QColor(0xdc, 0xea, 0xff));
    disc.setColorAt(1, QColor(0x9d, 0xc0, 0xf2));
    p.setPen(QPen(QColor(0x02, 0x1c, 0x55), 1.5));
    p.setBrush(disc);
    p.drawEllipse(box);

    const QPointF c = box.center();
    const qreal s = box.width() / 46.0;
    auto leaf = [&](qreal angle, const QColor& light, const QColor& dark) {
        p.save();
        p.translate(c + QPointF(0, 9 * s));
        p.rotate(angle);
        QPainterPath path;
        path.moveTo(0, 0);
        path.cubicTo(-11 * s, -8 * s, -9 * s, -24 * s, 0, -30 * s);
        path.cubicTo(9 * s, -24 * s, 11 * s, -8 * s, 0, 0);
        QLinearGradient g(-8 * s, 0, 8 * s, 0);
        g.setColorAt(0, light);
        g.setColorAt(1, dark);
        p.setPen(QPen(QColor(0x0d, 0x4a, 0x16), 1.2 * s));
        p.setBrush(g);
        p.drawPath(path);
        p.setPen(QPen(QColor(0xe9, 0xff, 0xd8, 200), 1.1 * s));
        p.drawLine(QPointF(0, -3 * s), QPointF(0, -25 * s));
        p.restore();
    };
    leaf(-32, QColor(0x9b, 0xe3, 0x6a), QColor(0x2f, 0x9a, 0x2a));
    leaf(30, QColor(0x7c, 0xd6, 0x55), QColor(0x1d, 0x7e, 0x23));
    // A small orange berry where the stems meet.
    p.setPen(QPen(QColor(0x7a, 0x2c, 0x00), 1 * s));
    QRadialGradient berry(c + QPointF(-1.5 * s, 8 * s), 6 * s);
    berry.setColorAt(0, QColor(0xff, 0xd0, 0x7a));
    berry.setColorAt(1, QColor(0xea, 0x6a, 0x0c));
    p.setBrush(berry);
    p.drawEllipse(c + QPointF(0, 10 * s), 5.5 * s, 5.5 * s);
    p.restore();
}

} // namespace

TFormImageContainer::TFormImageContainer()
{
    initSkinResources();
    addButtonPictures();
    addWindowPictures();
    addFramePictures();
}

const QPixmap& TFormImageContainer::picture(const QString& name) const
{
    const auto it = m_pictures.find(name);
    return it == m_pictures.end() ? m_none : it->second;
}

bool TFormImageContainer::contains(const QString& name) const
{
    return m_pictures.find(name) != m_pictures.end();
}

QStringList TFormImageContainer::names() const
{
    QStringList out;
    for (const auto& [name, pixmap] : m_pictures)
        out << name;
    return out;
}

void TFormImageContainer::addButtonPictures()
{
    struct Button
    {
        const char* name;  // picture name without its look suffix
        const char* glyph; // SVG file in the skin resources
        int size;
    };
    static const Button buttons[] = {
        {"ImgCreate32", "create", 32},
        {"ImgEdit32", "edit", 32},
        {"ImgDelete32", "delete", 32},
        {"ImgSave32", "save", 32},
        {"ImgViewHTML32", "viewhtml", 32},
        {"ImgLoad32", "load", 32},
        {"ImgSelectUser32", "users", 32},
        {"ImgAdd", "add", 48},
        {"ImgRemove", "remove", 48},
        {"ImgCreate", "create", 48},
        {"ImgDelete", "delete", 48},
        {"ImgEdit", "edit", 48},
        {"ImgOk", "ok", 48},
        {"ImgCancel", "cancel", 48},
        {"ImgCalc", "calc", 48},
        {"ImgSearch", "search", 48},
        {"ImgPrev", "prev", 48},
        {"ImgNext", "next", 48},
        {"ImgLink", "link", 48},
    };
    for (const Button& b : buttons) {
        QSvgRenderer svg(QStringLiteral(":/skin/%1.svg").arg(QLatin1String(b.glyph)));
        const QImage glyph = renderGlyph(svg, qRound(b.size * (b.size < 40 ? 0.72 : 0.66)));
        const QString base = QLatin1String(b.name);
        m_pictures[base + "Up"] = tileButton(b.size, Look::Up, glyph);
        m_pictures[base + "Down"] = tileButton(b.size, Look::Down, glyph);
        m_pictures[base + "Over"] = tileButton(b.size, Look::Over, glyph);
    }
    // The link button's pressed picture is named with a small letter.
    m_pictures["imgLinkDown"] = m_pictures["ImgLinkDown"];
    m_pictures.erase("ImgLinkDown");

    m_pictures["btnTabUp"] = sectionTab(true);
    m_pictures["btnTabDown"] = sectionTab(false);

    const std::pair<const char*, WindowGlyph> windowButtons[] = {
        {"ImgMin", WindowGlyph::Min}, {"ImgMax", WindowGlyph::Max}, {"ImgExit", WindowGlyph::Exit}};
    for (const auto& [name, glyph] : windowButtons) {
        const QString base = QLatin1String(name);
        m_pictures[base + "Normal"] = windowButton(glyph, Look::Up);
        m_pictures[base + "Over"] = windowButton(glyph, Look::Over);
        m_pictures[base + "Down"] = windowButton(glyph, Look::Down);
    }
}

void TFormImageContainer::addWindowPictures()
{
    const int headerHeight = 74;
    {
        // Left end of the header: emblem and name.
        QImage image(250, headerHeight, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paintHeaderBackground(p, image.width(), headerHeight);
        paintEmblem(p, QRectF(12, 12, 46, 46));
        QFont name;
        name.setPixelSize(30);
        name.setBold(true);
        p.setFont(name);
        p.setPen(QColor(0x02, 0x10, 0x36, 160));
        p.drawText(QPointF(70 + 1.5, 41 + 1.5), QStringLiteral("Kelora"));
        p.setPen(Qt::white);
        p.drawText(QPointF(70, 41), QStringLiteral("Kelora"));
        QFont tagline;
        tagline.setPixelSize(11);
        tagline.setItalic(true);
        p.setFont(tagline);
        p.setPen(QColor(0xb8, 0xd8, 0xff));
        p.drawText(QPointF(72, 56), QStringLiteral("Vivanter"));
        p.end();
        m_pictures["ImgHeaderLeft"] = QPixmap::fromImage(image);
    }
    {
        QImage image(64, headerHeight, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        paintHeaderBackground(p, image.width(), headerHeight);
        p.end();
        m_pictures["ImgHeaderCenter"] = QPixmap::fromImage(image);
    }
    {
        // Right end: a faint sweep behind the links and window buttons.
        QImage image(300, headerHeight, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintHeaderBackground(p, image.width(), headerHeight);
        QPainterPath sweep;
        sweep.moveTo(0, 31);
        sweep.cubicTo(90, 22, 180, 40, 300, 10);
        sweep.lineTo(300, 0);
        sweep.lineTo(0, 0);
        sweep.closeSubpath();
        QLinearGradient g(0, 0, 300, 0);
        g.setColorAt(0, QColor(255, 255, 255, 0));
        g.setColorAt(1, QColor(255, 255, 255, 34));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(sweep);
        p.fillRect(0, 0, 300, 1, QColor(0x6f, 0xa8, 0xff));
        p.end();
        m_pictures["ImgHeaderRight"] = QPixmap::fromImage(image);
    }
    // Side borders: a bevelled blue frame around the pages.
    auto sideBorder = [](int width, bool left) {
        QImage image(width, 64, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        QLinearGradient g(0, 0, width, 0);
        const QColor outer(0x03, 0x16, 0x4a), middle(0x1c, 0x58, 0xc8), inner(0x0a, 0x36, 0x94);
        g.setColorAt(0, left ? outer : inner);
        g.setColorAt(0.5, middle);
        g.setColorAt(1, left ? inner : outer);
        p.fillRect(image.rect(), g);
        const int innerX = left ? width - 1 : 0;
        const int outerX = left ? 0 : width - 1;
        p.fillRect(innerX, 0, 1, 64, QColor(0x02, 0x10, 0x36));
        p.fillRect(left ? innerX - 1 : innerX + 1, 0, 1, 64, QColor(0x5d, 0x9c, 0xff));
        p.fillRect(outerX, 0, 1, 64, QColor(0x01, 0x0a, 0x26));
        p.end();
        return QPixmap::fromImage(image);
    };
    m_pictures["ImgBorderLeft"] = sideBorder(20, true);
    m_pictures["ImgBorderRight"] = sideBorder(22, false);
    {
        QImage image(64, 18, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, 18);
        g.setColorAt(0, QColor(0x1c, 0x58, 0xc8));
        g.setColorAt(1, DeepBlue);
        p.fillRect(image.rect(), g);
        p.fillRect(0, 0, 64, 1, QColor(0x02, 0x10, 0x36));
        p.fillRect(0, 1, 64, 1, QColor(0x5d, 0x9c, 0xff));
        p.fillRect(0, 17, 64, 1, QColor(0x01, 0x0a, 0x26));
        p.end();
        m_pictures["ImgBottom"] = QPixmap::fromImage(image);
    }
    {
        QImage image(64, 36, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, 36);
        g.setColorAt(0, DialogBlue);
        g.setColorAt(1, TitleBlue);
        p.fillRect(image.rect(), g);
        p.fillRect(0, 35, 64, 1, QColor(0x02, 0x10, 0x36));
        p.end();
        m_pictures["ImgPageHeader"] = QPixmap::fromImage(image);
    }
}

void TFormImageContainer::addFramePictures()
{
    // Four pixels from the outside in: dark navy edge, light blue highlight, two of the dialog's
    // client blue.
    const QColor rings[4] = {QColor(0x01, 0x0c, 0x33), QColor(0x5d, 0x9c, 0xff), DialogBlue,
                             QColor(0x01, 0x3d, 0xa8)};
    const int b = 4, edge = 16;
    auto frame = [&](int w, int h, int ox, int oy, int fw, int fh) {
        // Paints the frame of a (fw x fh) rectangle and cuts the part at (ox, oy, w, h).
        QImage full(fw, fh, QImage::Format_ARGB32_Premultiplied);
        full.fill(Qt::transparent);
        QPainter p(&full);
        for (int i = 0; i < b; ++i) {
            p.setPen(rings[i]);
            p.setBrush(Qt::NoBrush);
            p.drawRect(i, i, fw - 1 - 2 * i, fh - 1 - 2 * i);
        }
        p.end();
        return QPixmap::fromImage(full.copy(ox, oy, w, h));
    };
    const int f = 2 * b + edge;
    m_pictures["DlgBorderTopLeft"] = frame(b, b, 0, 0, f, f);
    m_pictures["DlgBorderTop"] = frame(edge, b, b, 0, f, f);
    m_pictures["DlgBorderTopRight"] = frame(b, b, f - b, 0, f, f);
    m_pictures["DlgBorderLeft"] = frame(b, edge, 0, b, f, f);
    m_pictures["DlgBorderRight"] = frame(b, edge, f - b, b, f, f);
    m_pictures["DlgBorderBottomLeft"] = frame(b, b, 0, f - b, f, f);
    m_pictures["DlgBorderBottom"] = frame(edge, b, b, f - b, f, f);
    m_pictures["DlgBorderBottomRight"] = frame(b, b, f - b, f - b, f, f);
}
