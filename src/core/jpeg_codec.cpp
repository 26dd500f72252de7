#include "jpeg_codec.h"

#include "large_image.h"
#include "orientation.h"
#include "surface.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports a fatal error by a jump out of its own code: the routines
// that contain the jump target keep every C++ object that needs destroying in
// their callers, so that the jump skips nothing (a longjmp over a destructor
// is undefined).

namespace {

constexpr int BufferBytes = 64 * 1024;
// A progressive file takes about ten scans; thousands only slow the decoder
// down (a known way to hang a reader with a small file).
constexpr int MaxScans = 1000;
// Rows decoded at a time when they have to be turned or converted first.
constexpr int BandRows = 16;

struct Failure {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    bool damaged = false;
};

Failure &failureOf(j_common_ptr info)
{
    return *reinterpret_cast<Failure *>(info->err);
}

[[noreturn]] void failed(j_common_ptr info)
{
    std::longjmp(failureOf(info).jump, 1);
}

// The warnings that mean the pixels are not what the file was made with. A
// changed byte in the compressed data puts the decoder out of step: it then
// meets the end marker early, or ends with bytes left over before it. The
// others (an unknown JFIF revision, a bad colour profile) leave the pixels
// whole.
void warned(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        failureOf(info).damaged = true;
        break;
    default:
        break;
    }
}

void installFailure(Failure &failure)
{
    jpeg_std_error(&failure.manager);
    failure.manager.error_exit = failed;
    failure.manager.emit_message = warned;
    failure.manager.output_message = [](j_common_ptr) {
    };
}

struct Source {
    jpeg_source_mgr manager{};
    QFile *file = nullptr;
    bool truncated = false;
    JOCTET buffer[BufferBytes];
};

Source &sourceOf(j_decompress_ptr info)
{
    return *reinterpret_cast<Source *>(info->src);
}

boolean fillSource(j_decompress_ptr info)
{
    Source &source = sourceOf(info);
    qint64 read = source.file->read(reinterpret_cast<char *>(source.buffer), BufferBytes);
    if (read <= 0) {
        // The decoder finishes on a made-up end marker; the file is refused.
        source.truncated = true;
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        read = 2;
    }
    source.manager.next_input_byte = source.buffer;
    source.manager.bytes_in_buffer = static_cast<std::size_t>(read);
    return TRUE;
}

void skipSource(j_decompress_ptr info, long bytes)
{
    Source &source = sourceOf(info);
    if (bytes <= 0)
        return;
    if (static_cast<std::size_t>(bytes) <= source.manager.bytes_in_buffer) {
        source.manager.next_input_byte += bytes;
        source.manager.bytes_in_buffer -= static_cast<std::size_t>(bytes);
        return;
    }
    // Past the end, the next fill finds nothing and marks the file cut.
    const qint64 rest = bytes - static_cast<qint64>(source.manager.bytes_in_buffer);
    source.manager.bytes_in_buffer = 0;
    source.file->seek(source.file->pos() + rest);
}

void installSource(Source &source, QFile &file)
{
    source.file = &file;
    source.manager.init_source = [](j_decompress_ptr) {
    };
    source.manager.fill_input_buffer = fillSource;
    source.manager.skip_input_data = skipSource;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = [](j_decompress_ptr) {
    };
}

void checkScans(j_common_ptr info)
{
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
        info->err->msg_code = JERR_BAD_PROGRESSION;
        info->err->error_exit(info);
    }
}

struct Decoder {
    jpeg_decompress_struct info{};
    Failure failure;
    jpeg_progress_mgr progress{};
    Source source;
};

int orientationOf(const jpeg_decompress_struct &info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        const QByteArray data =
            QByteArray::fromRawData(reinterpret_cast<const char *>(marker->data),
                                    static_cast<qsizetype>(marker->data_length));
        if (marker->marker == JPEG_APP0 + 1 && data.startsWith(QByteArray("Exif\0\0", 6)))
            return exifOrientation(data);
    }
    return 1;
}

// Four bytes of CMYK (inverted, as Adobe writes it, when inverted) become
// blue, green, red and opaque in place.
void cmykToBgra(uchar *pixels, int count, bool inverted)
{
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + 4 * i;
        const int k = inverted ? p[3] : 255 - p[3];
        const auto channel = [&](int value) {
            return static_cast<uchar>((inverted ? value : 255 - value) * k / 255);
        };
        const uchar red = channel(p[0]), green = channel(p[1]), blue = channel(p[2]);
        p[0] = blue;
        p[1] = green;
        p[2] = red;
        p[3] = 255;
    }
}

PictureError decode(Decoder &decoder, QImage &image, std::vector<uchar> &band)
{
    jpeg_decompress_struct &info = decoder.info;
    if (setjmp(decoder.failure.jump))
        return decoder.source.truncated ? PictureError::Truncated : PictureError::Damaged;
    jpeg_create_decompress(&info);
    info.src = &decoder.source.manager;
    decoder.progress.progress_monitor = checkScans;
    info.progress = &decoder.progress;
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    const int orientation = orientationOf(info);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_calc_output_dimensions(&info);
    const QSize size(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    if (!Surface::canHold(size.width(), size.height()))
        return PictureError::TooLarge;
    const QSize upright = uprightSize(size, orientation);
    image = newLargeImage(upright.width(), upright.height());
    if (image.isNull())
        return PictureError::TooLarge;
    jpeg_start_decompress(&info);

    const qsizetype rowBytes = qsizetype(size.width()) * 4;
    const bool direct = orientation == 1 && !cmyk;
    if (!direct)
        band.resize(static_cast<std::size_t>(rowBytes * BandRows));
    uchar *const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    while (info.output_scanline < info.output_height) {
        const int first = static_cast<int>(info.output_scanline);
        const int wanted = std::min(BandRows, size.height() - first);
        JSAMPROW rows[BandRows];
        for (int i = 0; i < wanted; ++i)
            rows[i] = direct ? pixels + (first + i) * stride : band.data() + i * rowBytes;
        int done = 0;
        while (done < wanted)
            done += static_cast<int>(
                jpeg_read_scanlines(&info, rows + done, static_cast<JDIMENSION>(wanted - done)));
        if (direct)
            continue;
        if (cmyk)
            cmykToBgra(band.data(), size.width() * done, info.saw_Adobe_marker);
        placeRows(band.data(), rowBytes, first, done, size, orientation, image);
    }
    jpeg_finish_decompress(&info);
    if (decoder.source.truncated)
        return PictureError::Truncated;
    return decoder.failure.damaged ? PictureError::Damaged : PictureError::None;
}

struct Destination {
    jpeg_destination_mgr manager{};
    QIODevice *device = nullptr;
    JOCTET buffer[BufferBytes];
};

Destination &destinationOf(j_compress_ptr info)
{
    return *reinterpret_cast<Destination *>(info->dest);
}

void writeOut(j_compress_ptr info, std::size_t bytes)
{
    Destination &destination = destinationOf(info);
    const auto length = static_cast<qint64>(bytes);
    if (destination.device->write(reinterpret_cast<const char *>(destination.buffer), length) !=
        length) {
        info->err->msg_code = JERR_FILE_WRITE;
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
    destination.manager.next_output_byte = destination.buffer;
    destination.manager.free_in_buffer = BufferBytes;
}

void installDestination(Destination &destination, QIODevice &device)
{
    destination.device = &device;
    destination.manager.init_destination = [](j_compress_ptr info) {
        destinationOf(info).manager.next_output_byte = destinationOf(info).buffer;
        destinationOf(info).manager.free_in_buffer = BufferBytes;
    };
    destination.manager.empty_output_buffer = [](j_compress_ptr info) -> boolean {
        writeOut(info, BufferBytes);
        return TRUE;
    };
    destination.manager.term_destination = [](j_compress_ptr info) {
        writeOut(info, BufferBytes - destinationOf(info).manager.free_in_buffer);
    };
}

struct Encoder {
    jpeg_compress_struct info{};
    Failure failure;
    Destination destination;
};

bool encode(Encoder &encoder, const QImage &image, int quality, std::atomic<int> &rowsDone)
{
    jpeg_compress_struct &info = encoder.info;
    if (setjmp(encoder.failure.jump))
        return false;
    jpeg_create_compress(&info);
    info.dest = &encoder.destination.manager;
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const uchar *const pixels = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    while (info.next_scanline < info.image_height) {
        // The encoder only reads the row it is handed.
        JSAMPROW row = const_cast<uchar *>(pixels + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
        rowsDone.store(static_cast<int>(info.next_scanline), std::memory_order_relaxed);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

PictureError readJpeg(QFile &file, QImage &image)
{
    auto decoder = std::make_unique<Decoder>();
    installFailure(decoder->failure);
    decoder->info.err = &decoder->failure.manager;
    installSource(decoder->source, file);
    std::vector<uchar> band;
    QImage decoded;
    const PictureError error = decode(*decoder, decoded, band);
    jpeg_destroy_decompress(&decoder->info);
    if (error == PictureError::None)
        image = std::move(decoded);
    return error;
}

bool writeJpeg(const QImage &image, QIODevice &device, int quality, std::atomic<int> &rowsDone)
{
    auto encoder = std::make_unique<Encoder>();
    installFailure(encoder->failure);
    encoder->info.err = &encoder->failure.manager;
    installDestination(encoder->destination, device);
    const bool written = encode(*encoder, image, quality, rowsDone);
    jpeg_destroy_compress(&encoder->info);
    return written;
}
