#include "drawing/skinimages.h"

#include "keyboardstate/settingsimage.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <sys/stat.h>

namespace orvane {

namespace {

// Names are relative paths with "/" (or "\\", as the skin names were written)
// between components; "." and ".." components are refused so that no name can
// reach outside the skin folder.
bool splitName(QStringView name, QStringList& parts) {
    if (name.isEmpty() || name.startsWith(u'/') || name.startsWith(u'\\') ||
        name.endsWith(u'/') || name.endsWith(u'\\'))
        return false;
    QString normalised = name.toString();
    normalised.replace(u'\\', u'/');
    parts = normalised.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return false;
    for (const QString& p : parts)
        if (p == u"." || p == u"..") return false;
    return true;
}

}  // namespace

QString SkinImages::skinFolder(const QString& dataFolder, std::int16_t languageCode) {
    return dataFolder + (languageCode == kLanguageChinese ? QStringLiteral("png/chinese/")
                                           : QStringLiteral("png/english/"));
}

void SkinImages::setFolder(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    if (folder == folder_) return;
    folder_ = std::move(folder);
    entries_.clear();
}

void SkinImages::setCaching(bool on) {
    caching_ = on;
    if (!on) entries_.clear();
}

SkinImages::FileStamp SkinImages::stampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    FileStamp s;
    s.exists = true;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::int64_t>(st.st_size);
    s.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ctimeNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

QString SkinImages::resolve(QStringView name) const {
    QStringList parts;
    if (folder_.isEmpty() || !splitName(name, parts)) return {};
    QString path = folder_;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const QString exact = path + parts[i];
        const QFileInfo info(exact);
        if (info.exists() && (last ? info.isFile() : info.isDir())) {
            path = last ? exact : exact + u'/';
            continue;
        }
        // Not there as written: look for the one entry that differs only in case.
        const QDir dir(path);
        const QStringList entries =
            dir.entryList((last ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& e : entries) {
            if (e.compare(parts[i], Qt::CaseInsensitive) == 0) {
                match = e;
                break;
            }
        }
        if (match.isEmpty()) return {};
        path += last ? match : match + u'/';
    }
    return path;
}

QImage SkinImages::load(const QString& path) {
    ++loads_;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    if (img.isNull()) return {};
    // Opaque copies: the pixels' colour is kept, their alpha is not honoured.
    if (img.format() == QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32);
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage SkinImages::image(QStringView name) {
    if (!caching_) {
        const QString path = resolve(name);
        return path.isEmpty() ? QImage() : load(path);
    }
    const QString key = name.toString();
    Entry& e = entries_[key];
    if (!e.path.isEmpty()) {
        const FileStamp now = stampOf(e.path);
        if (now.exists && now == e.file) return e.image;
        if (now.exists) {
            e.file = now;
            e.image = load(e.path);
            return e.image;
        }
        e = Entry{};  // gone: resolve the name afresh below
    } else if (e.folder.exists && stampOf(folder_) == e.folder) {
        return {};  // still missing: the folder has not changed since
    }
    const bool inSubfolder = key.contains(u'/') || key.contains(u'\\');
    e.path = resolve(name);
    if (e.path.isEmpty()) {
        // Remember the miss only where the folder's stamp tells of new files.
        e.folder = inSubfolder ? FileStamp{} : stampOf(folder_);
        return {};
    }
    e.file = stampOf(e.path);
    e.image = load(e.path);
    return e.image;
}

}  // namespace orvane
