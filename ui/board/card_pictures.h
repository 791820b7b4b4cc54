// The 27 card pictures (back, empty place, 25 faces) as drawing sources, at 1x and optionally 2x.
#pragma once

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <array>
#include <functional>
#include <map>
#include <optional>

namespace vimbrel {

inline constexpr int face_count = 25;
inline constexpr int emblem_face = 1;  // face 1 doubles as the program's emblem

// What each face shows, in a word or two, for players who cannot see the pictures; the screen
// reader's words for them are translated in the context below.
inline constexpr char face_names_context[] = "vimbrel::CardPictures";
inline constexpr std::array<const char*, face_count> face_names{
    //: Screen readers: the picture on a face-up card (a genie coming out of a lamp).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "genie"),
    //: Screen readers: the picture on a face-up card (a frog's face; the game's emblem).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "frog"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "jellyfish"),
    //: Screen readers: the picture on a face-up card (an old desk telephone).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "telephone"),
    //: Screen readers: the picture on a face-up card (two hands shaking).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "handshake"),
    //: Screen readers: the picture on a face-up card (the pointing device).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "computer mouse"),
    //: Screen readers: the picture on a face-up card (the animal's face).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "mouse"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "cloud"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "snowflake"),
    //: Screen readers: the picture on a face-up card (a robot's head).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "robot"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "bicycle"),
    //: Screen readers: the picture on a face-up card (two cars, one behind the other).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "cars"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "rocket"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "aeroplane"),
    //: Screen readers: the picture on a face-up card (a mantelpiece clock).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "clock"),
    //: Screen readers: the picture on a face-up card (a black cat).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "cat"),
    //: Screen readers: the picture on a face-up card (an open book).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "book"),
    //: Screen readers: the picture on a face-up card (a letter in an envelope).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "letter"),
    //: Screen readers: the picture on a face-up card (a ballpoint pen).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "pen"),
    //: Screen readers: the picture on a face-up card (a burning match).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "match"),
    //: Screen readers: the picture on a face-up card (a small purple devil's face).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "imp"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "bell"),
    //: Screen readers: the picture on a face-up card (a wrist watch).
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "watch"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "Christmas tree"),
    //: Screen readers: the picture on a face-up card.
    QT_TRANSLATE_NOOP("vimbrel::CardPictures", "light bulb")};

// The pictures as they come from their files; faces may be partly transparent.
struct PictureImages {
    QImage back;
    QImage blank;
    std::array<QImage, face_count> faces;
};

// Every picture is laid onto white once, so that drawing a card is a plain opaque copy and a
// transparent area shows the white of the table. The card size is the size of the back at 1x.
class CardPictures {
public:
    // normal: the 1x pictures; double_size: their 2x twins for high-density screens, if any.
    explicit CardPictures(const PictureImages& normal,
                          const std::optional<PictureImages>& double_size = std::nullopt);

    // Loads the pictures compiled into the program (":/cards/…", each with an @2x twin). The
    // faces are read when the first one is drawn, the 2x twins when a high-density screen first
    // asks for them.
    static CardPictures from_resources();

    // Card size in logical pixels: the size of the 1x back (32 by 32 with the shipped art).
    QSize card_size() const { return card_size_; }

    // The pictures to draw on a surface of the given device pixel ratio, one device pixel for
    // each of their pixels: at 1 the 1x pictures and at 2 the 2x ones as they are (without 2x
    // pictures, the 1x ones, which drawing doubles pixel for pixel); at any other ratio the 2x
    // pictures smoothly scaled to the card's size in device pixels, so diagonals stay clean.
    const QPixmap& back(qreal ratio) const { return set(ratio).back; }
    const QPixmap& blank(qreal ratio) const { return set(ratio).blank; }
    // Face `index` (0..24); any other index gives the back, so a bad index can never crash.
    const QPixmap& face(int index, qreal ratio) const;

    // The emblem with its transparency kept, for the window icon.
    const QIcon& emblem() const { return emblem_; }

private:
    struct Set {
        QPixmap back;
        QPixmap blank;
        std::array<QPixmap, face_count> faces;
    };
    // Each picture laid onto white; at `ratio` 1 or 2 unscaled, at any other smoothly scaled.
    static Set make_set(const PictureImages& images, QSize card, qreal ratio);
    const Set& set(qreal ratio) const;
    // The 2x pictures, read on first use; null if there are none.
    const PictureImages* double_images() const;
    // Reads the 1x faces and lays them onto white, if they are still waiting in face_source_.
    void read_faces() const;

    QSize card_size_;
    // The 1x pictures: the source of the smooth scales when there are no 2x pictures.
    mutable PictureImages normal_images_;
    mutable Set normal_;
    // Where the 1x faces come from while they have not been read yet; empty once they have.
    mutable std::function<std::array<QImage, face_count>()> face_source_;
    // Where the 2x pictures come from while they have not been read yet; empty once they have.
    mutable std::function<std::optional<PictureImages>()> double_source_;
    mutable std::optional<PictureImages> double_images_;
    mutable std::map<qreal, Set> other_sets_;  // by device pixel ratio, made when first drawn at it
    QIcon emblem_;
};

}  // namespace vimbrel
