#include "forms/pictures.h"

#include <QImageReader>

#include <list>
#include <unordered_map>

namespace forms::pictures {

namespace {

// Least recently used first; all on the one UI thread.
struct Cache {
    std::list<QString> order;
    struct Entry {
        QImage image;
        std::list<QString>::iterator place;
    };
    std::unordered_map<QString, Entry> entries;
    qint64 bytes = 0;
};

Cache& cache()
{
    static Cache c;
    return c;
}

}  // namespace

QImage decode(const QString& path, QString* error)
{
    Cache& c = cache();
    if (auto it = c.entries.find(path); it != c.entries.end()) {
        c.order.splice(c.order.end(), c.order, it->second.place);
        return it->second.image;
    }
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return image;
    }
    c.order.push_back(path);
    c.entries.emplace(path, Cache::Entry{image, std::prev(c.order.end())});
    c.bytes += image.sizeInBytes();
    // Keep at least the picture just decoded, whatever its size.
    while (c.bytes > kBudgetBytes && c.order.size() > 1) {
        auto oldest = c.entries.find(c.order.front());
        c.bytes -= oldest->second.image.sizeInBytes();
        c.entries.erase(oldest);
        c.order.pop_front();
    }
    return image;
}

qint64 bytesHeld() { return cache().bytes; }

}  // namespace forms::pictures
