#include "editor/model/PicturePlaceholders.h"

#include "core/globals.h"
#include "editor/model/SKTPictureLoading.h"
#include "platform/PictureDecoder.h"

#include <QDir>
#include <QHash>
#include <mutex>

namespace PicturePlaceholders {
namespace {

// What has been read, for the resource folder it was read from (tests and
// the start-up may point Resource_Path elsewhere; then it is read again).
struct Store {
    std::mutex mutex;
    bool loaded = false;
    QString folder;
    CardPicture no;
    CardPicture sign;
    CardPicture fingerprint;
    CardPicture barcode;
    QHash<QString, QImage> hatches;
};

Store& store() {
    static Store s;
    return s;
}

// Called with the mutex held.
void ensureLoaded(Store& s) {
    if (s.loaded && s.folder == Resource_Path) {
        return;
    }
    s.folder = Resource_Path;
    s.no = SKTLoadPictureFile(resourceFile(QStringLiteral("no.png")));
    s.sign = SKTLoadPictureFile(resourceFile(QStringLiteral("sign_sample.png")));
    s.fingerprint = SKTLoadPictureFile(resourceFile(QStringLiteral("fingerprints.png")));
    s.barcode = SKTLoadPictureFile(resourceFile(QStringLiteral("barcode_sample.png")));
    s.hatches.clear();
    s.loaded = true;
}

template <typename Member> CardPicture answer(Member member) {
    Store& s = store();
    std::lock_guard lock(s.mutex);
    ensureLoaded(s);
    return s.*member;
}

} // namespace

void load() {
    Store& s = store();
    std::lock_guard lock(s.mutex);
    ensureLoaded(s);
}

CardPicture no_image() {
    return answer(&Store::no);
}
CardPicture sign_sample_img() {
    return answer(&Store::sign);
}
CardPicture fp_sample_img() {
    return answer(&Store::fingerprint);
}
CardPicture barcode_sample_img() {
    return answer(&Store::barcode);
}

QString resourceFile(const QString& name) {
    return Resource_Path.isEmpty() ? name : QDir(Resource_Path).filePath(name);
}

QImage hatchPattern(const QString& name) {
    // A name that would leave the pattern folder reads nothing.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String("..")) {
        return {};
    }
    Store& s = store();
    std::lock_guard lock(s.mutex);
    ensureLoaded(s);
    auto it = s.hatches.constFind(name);
    if (it != s.hatches.constEnd()) {
        return *it;
    }
    QImage pattern = PictureDecoder::decode(QDir(resourceFile(QStringLiteral("Fill_Style_Image")))
                                                .filePath(name + QStringLiteral(".png")),
                                            QSize());
    s.hatches.insert(name, pattern);
    return pattern;
}

} // namespace PicturePlaceholders
