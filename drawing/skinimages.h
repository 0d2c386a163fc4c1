// The skin folder and its images. Images are looked up by the names the
// painting code uses, whatever their case on disk, and kept between repaints;
// a file changed on disk (size, modification time or identity) is read again
// at its next use, so an edited skin shows at the next repaint.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace orvane {

class SkinImages {
public:
    SkinImages() = default;
    explicit SkinImages(QString folder) { setFolder(std::move(folder)); }

    // The skin folder of a data folder: "png/chinese/" for language 4,
    // "png/english/" for any other code. The data folder ends with "/".
    static QString skinFolder(const QString& dataFolder, std::int16_t languageCode);

    // Switches to another folder and forgets every image of the old one.
    void setFolder(QString folder);
    const QString& folder() const { return folder_; }

    // The image of a skin file, opaque (RGB32: any alpha of the file is dropped),
    // as the file is now. A null image when the name is unusable (empty,
    // absolute, or leading out of the folder), the file is missing, or it is not
    // a readable image.
    QImage image(QStringView name);

    // The existing file a name stands for, its components matched without
    // regard to case; empty when there is none.
    QString resolve(QStringView name) const;

    // Off: every use reads the file again (the baseline the cache is measured
    // against). On by default.
    void setCaching(bool on);

    // How many times a file was actually decoded (for tests and benchmarks).
    int loadCount() const { return loads_; }

private:
    struct FileStamp {
        bool exists = false;
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        QString path;      // resolved file, empty when none was found
        FileStamp file;    // stamp of `path` when the image was read
        FileStamp folder;  // stamp of the folder when the name did not resolve
        QImage image;
    };

    static FileStamp stampOf(const QString& path);
    QImage load(const QString& path);

    QString folder_;
    QHash<QString, Entry> entries_;
    bool caching_ = true;
    int loads_ = 0;
};

}  // namespace orvane
