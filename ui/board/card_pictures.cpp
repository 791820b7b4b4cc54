// Loading the card pictures and laying them onto white at the card size.
#include "board/card_pictures.h"

#include <QDebug>
#include <QPainter>
#include <QString>

// Resources compiled into a static library must be registered by name from the global namespace.
static void register_card_resources() {
    Q_INIT_RESOURCE(assets);
}

namespace vimbrel {

namespace {

constexpr qreal double_ratio = 2.0;

QImage load_picture(const QString& path) {
    QImage image(path);
    if (image.isNull()) qWarning("Vimbrel: card picture %s is missing", qPrintable(path));
    return image;
}

std::array<QImage, face_count> load_faces(const QString& suffix) {
    std::array<QImage, face_count> faces;
    for (int i = 0; i < face_count; ++i)
        faces[i] = load_picture(
            QStringLiteral(":/cards/face%1%2.png").arg(i, 2, 10, QChar('0')).arg(suffix));
    return faces;
}

// The back and the empty place; the faces too if `with_faces`.
PictureImages load_set(const QString& suffix, bool with_faces = true) {
    PictureImages images;
    images.back = load_picture(QStringLiteral(":/cards/back%1.png").arg(suffix));
    images.blank = load_picture(QStringLiteral(":/cards/blank%1.png").arg(suffix));
    if (with_faces) images.faces = load_faces(suffix);
    return images;
}

bool complete(const PictureImages& images) {
    if (images.back.isNull() || images.blank.isNull()) return false;
    for (const QImage& face : images.faces)
        if (face.isNull()) return false;
    return true;
}

// One opaque card at `device` pixels: white, with the picture's top-left corner laid over it
// pixel for pixel.
QImage on_white(const QImage& image, QSize device) {
    QImage canvas(device, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (!image.isNull()) {
        // Pixel for pixel: an @2x file arrives with ratio 2, which would halve it here.
        QImage source = image;
        source.setDevicePixelRatio(1.0);
        QPainter painter(&canvas);
        painter.drawImage(QPoint(0, 0), source, QRect(QPoint(0, 0), device));
    }
    return canvas;
}

// A card to draw at `ratio`. At 1 and 2 the picture is laid on pixel for pixel. At any other
// ratio it is laid onto white at its own size, so that its transparent edges blend with white,
// and then scaled smoothly to the card's size in device pixels.
QPixmap card_pixmap(const QImage& image, QSize card, qreal ratio) {
    const QSize device = card * ratio;
    QImage canvas;
    if (qFuzzyCompare(ratio, 1.0) || qFuzzyCompare(ratio, double_ratio)) {
        canvas = on_white(image, device);
    } else {
        const QSize own = image.isNull() ? card : image.size();
        canvas =
            on_white(image, own).scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(canvas);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

CardPictures::CardPictures(const PictureImages& normal,
                           const std::optional<PictureImages>& double_size)
    : card_size_(normal.back.isNull() ? QSize(32, 32) : normal.back.size()),
      normal_images_(normal),
      normal_(make_set(normal, card_size_, 1.0)),
      double_images_(double_size) {
    emblem_.addPixmap(QPixmap::fromImage(normal.faces[emblem_face]));
    if (double_size) {
        QPixmap emblem2 = QPixmap::fromImage(double_size->faces[emblem_face]);
        emblem2.setDevicePixelRatio(double_ratio);
        emblem_.addPixmap(emblem2);
    }
}

CardPictures CardPictures::from_resources() {
    register_card_resources();
    CardPictures pictures(load_set(QString(), false));
    // The first paint shows only backs: decoding the faces when the first card turns keeps them
    // out of the start.
    pictures.face_source_ = [] { return load_faces(QString()); };
    // Decoding the 2x set costs a few milliseconds of start-up that a normal screen never needs.
    pictures.double_source_ = [] {
        PictureImages twice = load_set(QStringLiteral("@2x"));
        return complete(twice) ? std::optional<PictureImages>(std::move(twice)) : std::nullopt;
    };
    // Qt finds the icon's @2x file by itself, when it is needed.
    pictures.emblem_ =
        QIcon(QStringLiteral(":/cards/face%1.png").arg(emblem_face, 2, 10, QChar('0')));
    return pictures;
}

CardPictures::Set CardPictures::make_set(const PictureImages& images, QSize card, qreal ratio) {
    Set set;
    set.back = card_pixmap(images.back, card, ratio);
    set.blank = card_pixmap(images.blank, card, ratio);
    for (int i = 0; i < face_count; ++i) set.faces[i] = card_pixmap(images.faces[i], card, ratio);
    return set;
}

const PictureImages* CardPictures::double_images() const {
    if (!double_images_ && double_source_) double_images_ = double_source_();
    double_source_ = nullptr;  // tried once, whatever came of it
    return double_images_ ? &*double_images_ : nullptr;
}

void CardPictures::read_faces() const {
    if (!face_source_) return;
    normal_images_.faces = face_source_();
    face_source_ = nullptr;
    for (int i = 0; i < face_count; ++i)
        normal_.faces[i] = card_pixmap(normal_images_.faces[i], card_size_, 1.0);
}

const CardPictures::Set& CardPictures::set(qreal ratio) const {
    if (qFuzzyCompare(ratio, 1.0) || ratio <= 0) return normal_;
    read_faces();  // every other set is made from them, or is the 1x one
    if (const auto made = other_sets_.find(ratio); made != other_sets_.end()) return made->second;
    const PictureImages* twice = double_images();
    if (qFuzzyCompare(ratio, double_ratio) && !twice) return normal_;
    return other_sets_.emplace(ratio, make_set(twice ? *twice : normal_images_, card_size_, ratio))
        .first->second;
}

const QPixmap& CardPictures::face(int index, qreal ratio) const {
    read_faces();
    const Set& s = set(ratio);
    return (index >= 0 && index < face_count) ? s.faces[index] : s.back;
}

}  // namespace vimbrel
