#include "score/mxl_writer.h"

#include <stdexcept>

#include "smf/build_midi_file.h"

namespace velmora {

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kVersionMadeBy = (3 << 8) | 20;  // Unix, zip 2.0
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kSizesFollowData = 0x0008;
// A fixed date (1980-01-01), so that one seed gives one archive byte for byte.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (1 << 5) | 1;
constexpr std::uint32_t kUnixFileMode = 0100644u << 16;
constexpr std::uint64_t kZip32Limit = 0xFFFFFFFFu;
constexpr std::size_t kCompressedBuffer = 256 * 1024;
// Fast compression: MusicXML shrinks about tenfold even so, and the score is
// written at the speed of the music's making.
constexpr int kCompressionLevel = 1;

constexpr std::string_view kMimeType = "application/vnd.recordare.musicxml";

class LittleEndian {
public:
    LittleEndian& u16(std::uint16_t value) {
        bytes_.push_back(static_cast<char>(value & 0xFF));
        bytes_.push_back(static_cast<char>(value >> 8));
        return *this;
    }
    LittleEndian& u32(std::uint64_t value) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        return *this;
    }
    LittleEndian& text(std::string_view text) {
        bytes_.append(text);
        return *this;
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

void refuseZip64(std::uint64_t value) {
    if (value >= kZip32Limit) {
        throw ExportError(
            "the score is too large for a .mxl file (over 4 GB); write a .musicxml file instead");
    }
}

std::string containerXml(std::string_view scoreName) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<container>\n"
           "  <rootfiles>\n"
           "    <rootfile full-path=\"" +
           std::string(scoreName) +
           "\" media-type=\"application/vnd.recordare.musicxml+xml\"/>\n"
           "  </rootfiles>\n"
           "</container>\n";
}

}  // namespace

MxlWriter::MxlWriter(ScoreSink& out, std::string scoreName) : out_(out), compressed_(kCompressedBuffer) {
    writeStored("mimetype", kMimeType);
    writeStored("META-INF/container.xml", containerXml(scoreName));
    score_.name = std::move(scoreName);
    score_.method = kDeflated;
    score_.flags = out_.canPatch() ? 0 : kSizesFollowData;
    score_.crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    writeLocalHeader(score_);
    if (deflateInit2(&stream_, kCompressionLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("zlib cannot start compressing");
    }
    streamOpen_ = true;
}

MxlWriter::~MxlWriter() {
    if (streamOpen_) deflateEnd(&stream_);
}

void MxlWriter::emit(const void* data, std::size_t size) {
    out_.append(static_cast<const char*>(data), size);
    written_ += size;
}

void MxlWriter::writeLocalHeader(Entry& entry) {
    refuseZip64(written_);
    entry.headerOffset = written_;
    LittleEndian header;
    header.u32(kLocalHeaderSignature).u16(kVersionNeeded).u16(entry.flags).u16(entry.method);
    header.u16(kDosTime).u16(kDosDate).u32(entry.crc).u32(entry.compressedSize).u32(entry.size);
    header.u16(static_cast<std::uint16_t>(entry.name.size())).u16(0).text(entry.name);
    emit(header.bytes().data(), header.bytes().size());
}

void MxlWriter::writeStored(std::string_view name, std::string_view data) {
    Entry entry;
    entry.name = std::string(name);
    entry.method = kStored;
    entry.crc = static_cast<std::uint32_t>(crc32(
        crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    entry.compressedSize = entry.size = data.size();
    writeLocalHeader(entry);
    emit(data.data(), data.size());
    entries_.push_back(entry);
}

void MxlWriter::append(const char* data, std::size_t size) {
    score_.size += size;
    refuseZip64(score_.size);
    score_.crc = static_cast<std::uint32_t>(
        crc32(score_.crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream_.avail_in = static_cast<uInt>(size);
    deflateInput(Z_NO_FLUSH);
}

void MxlWriter::deflateInput(int flush) {
    for (;;) {
        stream_.next_out = compressed_.data();
        stream_.avail_out = static_cast<uInt>(compressed_.size());
        const int result = deflate(&stream_, flush);
        if (result == Z_STREAM_ERROR) throw std::runtime_error("zlib failed while compressing");
        const std::size_t produced = compressed_.size() - stream_.avail_out;
        if (produced > 0) {
            emit(compressed_.data(), produced);
            score_.compressedSize += produced;
            refuseZip64(written_);
        }
        if (flush == Z_FINISH ? result == Z_STREAM_END : (stream_.avail_in == 0 && stream_.avail_out != 0))
            return;
    }
}

void MxlWriter::endEntry(Entry& entry) {
    LittleEndian sizes;
    sizes.u32(entry.crc).u32(entry.compressedSize).u32(entry.size);
    if (entry.flags & kSizesFollowData) {
        LittleEndian descriptor;
        descriptor.u32(kDescriptorSignature).text(sizes.bytes());
        emit(descriptor.bytes().data(), descriptor.bytes().size());
    } else {
        out_.patch(entry.headerOffset + 14, sizes.bytes().data(), sizes.bytes().size());
    }
}

void MxlWriter::finish() {
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    deflateInput(Z_FINISH);
    deflateEnd(&stream_);
    streamOpen_ = false;
    endEntry(score_);
    entries_.push_back(score_);

    const std::uint64_t directoryOffset = written_;
    LittleEndian directory;
    for (const Entry& entry : entries_) {
        directory.u32(kCentralHeaderSignature).u16(kVersionMadeBy).u16(kVersionNeeded).u16(entry.flags);
        directory.u16(entry.method).u16(kDosTime).u16(kDosDate).u32(entry.crc).u32(entry.compressedSize);
        directory.u32(entry.size)
            .u16(static_cast<std::uint16_t>(entry.name.size()))
            .u16(0)
            .u16(0)
            .u16(0)
            .u16(0);
        directory.u32(kUnixFileMode).u32(entry.headerOffset).text(entry.name);
    }
    const std::uint64_t directorySize = directory.bytes().size();
    refuseZip64(directoryOffset + directorySize);
    const auto count = static_cast<std::uint16_t>(entries_.size());
    directory.u32(kEndSignature).u16(0).u16(0).u16(count).u16(count);
    directory.u32(directorySize).u32(directoryOffset).u16(0);
    emit(directory.bytes().data(), directory.bytes().size());
}

}  // namespace velmora
