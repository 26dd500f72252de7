#include "png_writer.h"

#include "row_bands.h"

#include <QIODevice>
#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Filtered bytes per band: enough for the compressor to find its matches and
// for the two threads to share the work evenly, little enough to hold a few.
constexpr qsizetype BandBytes = qsizetype(1) << 20;
// Bands done but not yet written, at most.
constexpr std::size_t BandsAhead = 4;
// The compressor looks this far back.
constexpr qsizetype Window = 32 * 1024;
// Level 5 keeps files within a few percent of level 6, the common writer's,
// at about half its time.
constexpr int Level = 5;
// The filtered rows of a photo are mostly grain, in which the compressor's
// search for repeats finds little: coding their bytes alone makes as small a
// file at a tenth of the time. The start of each band, compressed both ways,
// tells which kind of band it is.
constexpr qsizetype SampleBytes = 64 * 1024;
constexpr double CodingAloneAllowance = 1.01;
// Filtered bytes weigh about 2.5 on average in a photo's grain, less than 0.2
// in a drawing; below this no band is sampled.
constexpr double GrainWeight = 1.0;

enum Filter : uchar { None, Sub, Up, Average, Paeth };

void putBigEndian(uchar *p, quint32 value)
{
    p[0] = static_cast<uchar>(value >> 24);
    p[1] = static_cast<uchar>(value >> 16);
    p[2] = static_cast<uchar>(value >> 8);
    p[3] = static_cast<uchar>(value);
}

// One chunk: length, type, data, checksum of type and data.
bool writeChunk(QIODevice &device, const char *type, const uchar *data, qsizetype length)
{
    uchar head[8];
    putBigEndian(head, static_cast<quint32>(length));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, head + 4, 4);
    // A null buffer would ask zlib for its starting value instead.
    if (length > 0)
        crc = crc32_z(crc, data, static_cast<z_size_t>(length));
    uchar tail[4];
    putBigEndian(tail, static_cast<quint32>(crc));
    return device.write(reinterpret_cast<const char *>(head), 8) == 8 &&
           device.write(reinterpret_cast<const char *>(data), length) == length &&
           device.write(reinterpret_cast<const char *>(tail), 4) == 4;
}

// A filtered byte's weight in the choice of filter: its distance from 0,
// written so that the vectoriser finds it.
uchar weight(uchar byte)
{
    return std::min<uchar>(byte, static_cast<uchar>(-byte));
}

// The byte that each of PNG's filters subtracts, from the bytes of the pixel
// to the left (a), above (b) and above left (c).
struct PredictNone {
    short operator()(short, short, short) const { return 0; }
};
struct PredictSub {
    short operator()(short a, short, short) const { return a; }
};
struct PredictUp {
    short operator()(short, short b, short) const { return b; }
};
struct PredictAverage {
    short operator()(short a, short b, short) const { return static_cast<short>((a + b) >> 1); }
};
struct PredictPaeth {
    short operator()(short a, short b, short c) const
    {
        short pa = static_cast<short>(b - c), pb = static_cast<short>(a - c),
              pc = static_cast<short>(a + b - 2 * c);
        pa = pa < 0 ? static_cast<short>(-pa) : pa;
        pb = pb < 0 ? static_cast<short>(-pb) : pb;
        pc = pc < 0 ? static_cast<short>(-pc) : pc;
        return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    }
};

template <typename Visit> auto withPredictor(Filter filter, Visit visit)
{
    switch (filter) {
    case Sub:
        return visit(PredictSub());
    case Up:
        return visit(PredictUp());
    case Average:
        return visit(PredictAverage());
    case Paeth:
        return visit(PredictPaeth());
    case None:
        break;
    }
    return visit(PredictNone());
}

// Each filter's pass is a loop of its own that the vectoriser takes whole.
// Both rows start after their zero pixel, so the byte of the pixel to the
// left is always at i - bpp.
template <typename Predict>
unsigned weightWith(const uchar *row, const uchar *previous, qsizetype length, int bpp,
                    Predict predict)
{
    unsigned sum = 0;
    for (qsizetype i = 0; i < length; ++i)
        sum += weight(
            static_cast<uchar>(row[i] - predict(row[i - bpp], previous[i], previous[i - bpp])));
    return sum;
}

template <typename Predict>
void filterWith(const uchar *row, const uchar *previous, qsizetype length, int bpp, uchar *out,
                Predict predict)
{
    for (qsizetype i = 0; i < length; ++i)
        out[i] = static_cast<uchar>(row[i] - predict(row[i - bpp], previous[i], previous[i - bpp]));
}

// Rows of the picture as PNG bytes, and their filtered form. Each row buffer
// has one pixel of zeros before its first pixel, as the filters want it.
class RowFilter
{
public:
    RowFilter(const QImage &image, int channels)
        : m_image(image), m_channels(channels),
          m_length(static_cast<qsizetype>(image.width()) * channels),
          m_rows(2, std::vector<uchar>(static_cast<std::size_t>(m_length + channels), 0))
    {
    }

    qsizetype filteredLength() const { return m_length + 1; }

    // Filters rows [first, end) into out, filteredLength() bytes each, and
    // returns the weight of the filtered bytes.
    quint64 filter(int first, int end, uchar *out)
    {
        load(first - 1, m_rows[0].data());
        quint64 total = 0;
        for (int y = first; y < end; ++y) {
            uchar *previous = m_rows[static_cast<std::size_t>((y - first) & 1)].data();
            uchar *row = m_rows[static_cast<std::size_t>((y - first + 1) & 1)].data();
            load(y, row);
            total += filterRow(row + m_channels, previous + m_channels,
                               out + (y - first) * filteredLength());
        }
        return total;
    }

private:
    // Row y as R, G, B (and A) bytes after the zero pixel; zeros for row -1.
    void load(int y, uchar *row) const
    {
        uchar *out = row + m_channels;
        if (y < 0) {
            std::memset(out, 0, static_cast<std::size_t>(m_length));
            return;
        }
        const auto *pixels = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
        const int width = m_image.width();
        if (m_channels == 3) {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = static_cast<uchar>(qRed(pixels[x]));
                out[3 * x + 1] = static_cast<uchar>(qGreen(pixels[x]));
                out[3 * x + 2] = static_cast<uchar>(qBlue(pixels[x]));
            }
        } else {
            for (int x = 0; x < width; ++x) {
                out[4 * x] = static_cast<uchar>(qRed(pixels[x]));
                out[4 * x + 1] = static_cast<uchar>(qGreen(pixels[x]));
                out[4 * x + 2] = static_cast<uchar>(qBlue(pixels[x]));
                out[4 * x + 3] = static_cast<uchar>(qAlpha(pixels[x]));
            }
        }
    }

    // Writes the row's filter byte and its filtered bytes, with the filter
    // whose bytes weigh least, as the common writer chooses; returns their
    // weight. A filter is weighed a piece at a time and given up once it
    // weighs more than the best so far, and the search ends at a weight of
    // 0: in a drawing most rows are their row above, and Up, tried first,
    // makes them all zeros.
    unsigned filterRow(const uchar *row, const uchar *previous, uchar *out) const
    {
        constexpr qsizetype Step = 1024;
        const int bpp = m_channels;
        Filter chosen = Up;
        unsigned least = std::numeric_limits<unsigned>::max();
        for (const Filter filter : {Up, Sub, Paeth, Average, None}) {
            unsigned sum = 0;
            for (qsizetype at = 0; at < m_length && sum < least; at += Step) {
                sum += withPredictor(filter, [&](auto predict) {
                    return weightWith(row + at, previous + at, std::min(Step, m_length - at), bpp,
                                      predict);
                });
            }
            if (sum < least) {
                least = sum;
                chosen = filter;
            }
            if (least == 0)
                break;
        }
        out[0] = chosen;
        withPredictor(chosen, [&](auto predict) {
            filterWith(row, previous, m_length, bpp, out + 1, predict);
        });
        return least;
    }

    const QImage &m_image;
    int m_channels;
    qsizetype m_length;
    std::vector<std::vector<uchar>> m_rows;
};

// What a thread needs to filter and compress a band, kept from band to band:
// fresh buffers for every band would cost their first touches each time.
struct Workspace {
    Workspace(const QImage &image, int channels) : filter(image, channels) {}
    RowFilter filter;
    std::vector<uchar> filtered;
    std::vector<uchar> sample;
};

// A band compressed, waiting for its turn to be written.
struct Piece {
    std::vector<uchar> bytes;
    uLong checksum = 1; // Adler-32 of the band's filtered bytes
    qsizetype length = 0;
    bool done = false;
};

class BandWriter
{
public:
    BandWriter(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone)
        : m_image(image), m_device(device), m_rowsDone(rowsDone),
          m_channels(image.hasAlphaChannel() ? 4 : 3)
    {
        const qsizetype rowLength = qsizetype(image.width()) * m_channels + 1;
        const int rowsPerBand = static_cast<int>(std::max<qsizetype>(1, BandBytes / rowLength));
        for (int first = 0; first < image.height(); first += rowsPerBand)
            m_bands.push_back({first, std::min(image.height(), first + rowsPerBand)});
        m_pieces.resize(m_bands.size());
        // The rows before a band that fill the compressor's window.
        m_primingRows = static_cast<int>((Window + rowLength - 1) / rowLength);
    }

    bool write()
    {
        if (!writeHeader())
            return false;
        runBands(m_bands.size(), [this](std::size_t band) { compress(band); });
        if (m_failed)
            return false;
        uchar checksum[4];
        putBigEndian(checksum, static_cast<quint32>(m_checksum));
        return writeChunk(m_device, "IDAT", checksum, 4) &&
               writeChunk(m_device, "IEND", nullptr, 0);
    }

private:
    bool writeHeader()
    {
        static const char signature[] = "\x89PNG\r\n\x1a\n";
        uchar header[13] = {};
        putBigEndian(header, static_cast<quint32>(m_image.width()));
        putBigEndian(header + 4, static_cast<quint32>(m_image.height()));
        header[8] = 8;                       // bits per channel
        header[9] = m_channels == 4 ? 6 : 2; // RGBA or RGB
        // The zlib stream's header: deflate with a 32 kB window.
        static const uchar streamHeader[2] = {0x78, 0x5E};
        return m_device.write(signature, 8) == 8 && writeChunk(m_device, "IHDR", header, 13) &&
               writeChunk(m_device, "IDAT", streamHeader, 2);
    }

    void compress(std::size_t band)
    {
        {
            std::unique_lock lock(m_mutex);
            m_turn.wait(lock, [&] { return m_failed || band < m_written + BandsAhead; });
            if (m_failed)
                return;
        }
        std::unique_ptr<Workspace> space = takeWorkspace();
        RowFilter &filter = space->filter;
        std::vector<uchar> &filtered = space->filtered;
        const RowBand rows = m_bands[band];
        const int primeFrom = std::max(0, rows.first - m_primingRows);
        const qsizetype rowLength = filter.filteredLength();
        filtered.resize(static_cast<std::size_t>((rows.end - primeFrom) * rowLength));
        filter.filter(primeFrom, rows.first, filtered.data());
        const qsizetype primed = (rows.first - primeFrom) * rowLength;
        uchar *bandBytes = filtered.data() + primed;
        const quint64 weight = filter.filter(rows.first, rows.end, bandBytes);

        Piece piece;
        piece.length = static_cast<qsizetype>(filtered.size()) - primed;
        piece.checksum = adler32_z(1, bandBytes, static_cast<z_size_t>(piece.length));
        const bool last = band + 1 == m_bands.size();
        // Rows that weigh little are no grain: they compress better with the
        // search, which costs little on them.
        const int strategy = double(weight) < GrainWeight * double(piece.length)
                                 ? Z_FILTERED
                                 : strategyFor(bandBytes, piece.length, space->sample);
        const bool deflated = deflateBand(filtered, primed, strategy, last, piece.bytes);
        giveBack(std::move(space));
        if (!deflated) {
            fail();
            return;
        }
        piece.done = true;
        publish(band, std::move(piece));
    }

    std::unique_ptr<Workspace> takeWorkspace()
    {
        {
            std::lock_guard lock(m_mutex);
            if (!m_workspaces.empty()) {
                std::unique_ptr<Workspace> space = std::move(m_workspaces.back());
                m_workspaces.pop_back();
                return space;
            }
        }
        return std::make_unique<Workspace>(m_image, m_channels);
    }

    void giveBack(std::unique_ptr<Workspace> space)
    {
        std::lock_guard lock(m_mutex);
        m_workspaces.push_back(std::move(space));
    }

    // Z_HUFFMAN_ONLY where the start of the band compresses about as well by
    // coding alone as with the search for repeats, else Z_FILTERED.
    static int strategyFor(const uchar *bytes, qsizetype length, std::vector<uchar> &out)
    {
        const qsizetype sample = std::min(length, SampleBytes);
        const auto compressed = [&](int strategy) -> double {
            z_stream stream{};
            if (deflateInit2(&stream, Level, Z_DEFLATED, -15, 8, strategy) != Z_OK)
                return 0;
            out.resize(deflateBound(&stream, static_cast<uLong>(sample)));
            stream.next_in = const_cast<uchar *>(bytes);
            stream.avail_in = static_cast<uInt>(sample);
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            deflate(&stream, Z_FINISH);
            const double size = double(stream.total_out);
            deflateEnd(&stream);
            return size;
        };
        return compressed(Z_HUFFMAN_ONLY) <= CodingAloneAllowance * compressed(Z_FILTERED)
                   ? Z_HUFFMAN_ONLY
                   : Z_FILTERED;
    }

    // The band after primed bytes of priming, as raw deflate data ended by a
    // sync flush (or the end of the stream for the last band).
    static bool deflateBand(std::vector<uchar> &filtered, qsizetype primed, int strategy, bool last,
                            std::vector<uchar> &out)
    {
        z_stream stream{};
        if (deflateInit2(&stream, Level, Z_DEFLATED, -15, 8, strategy) != Z_OK)
            return false;
        const qsizetype window = std::min(primed, Window);
        bool good = window == 0 || deflateSetDictionary(&stream, filtered.data() + primed - window,
                                                        static_cast<uInt>(window)) == Z_OK;
        const auto length = static_cast<uLong>(static_cast<qsizetype>(filtered.size()) - primed);
        out.resize(deflateBound(&stream, length) + 16);
        stream.next_in = filtered.data() + primed;
        stream.avail_in = static_cast<uInt>(length);
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        good = good &&
               deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH) == (last ? Z_STREAM_END : Z_OK);
        good = good && stream.avail_in == 0;
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return good;
    }

    // Puts the piece in its place and writes every piece whose turn it is.
    void publish(std::size_t band, Piece piece)
    {
        std::lock_guard lock(m_mutex);
        m_pieces[band] = std::move(piece);
        while (!m_failed && m_written < m_pieces.size() && m_pieces[m_written].done) {
            Piece &next = m_pieces[m_written];
            if (!writeChunk(m_device, "IDAT", next.bytes.data(),
                            static_cast<qsizetype>(next.bytes.size()))) {
                m_failed = true;
                break;
            }
            m_checksum = adler32_combine(m_checksum, next.checksum, next.length);
            m_rowsDone.store(m_bands[m_written].end, std::memory_order_relaxed);
            next = Piece();
            next.done = true;
            ++m_written;
        }
        m_turn.notify_all();
    }

    void fail()
    {
        std::lock_guard lock(m_mutex);
        m_failed = true;
        m_turn.notify_all();
    }

    const QImage &m_image;
    QIODevice &m_device;
    std::atomic<int> &m_rowsDone;
    int m_channels;
    int m_primingRows = 0;
    std::vector<RowBand> m_bands;
    std::vector<Piece> m_pieces;
    std::vector<std::unique_ptr<Workspace>> m_workspaces;
    std::mutex m_mutex;
    std::condition_variable m_turn;
    std::size_t m_written = 0;
    uLong m_checksum = 1;
    bool m_failed = false;
};

} // namespace

bool writePng(const QImage &image, QIODevice &device, std::atomic<int> &rowsDone)
{
    return BandWriter(image, device, rowsDone).write();
}
