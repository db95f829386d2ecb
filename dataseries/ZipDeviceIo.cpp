#include "dataseries/ZipDeviceIo.h"

namespace {

QIODevice* deviceOf(voidpf opaque) {
    return static_cast<QIODevice*>(opaque);
}

voidpf openDevice(voidpf opaque, const void* /*filename*/, int /*mode*/) {
    // The device is opened by its owner; minizip only needs a stream token.
    return deviceOf(opaque)->isOpen() ? opaque : nullptr;
}

uLong readDevice(voidpf opaque, voidpf /*stream*/, void* buf, uLong size) {
    const qint64 got = deviceOf(opaque)->read(static_cast<char*>(buf), qint64(size));
    return got < 0 ? 0 : uLong(got);
}

uLong writeDevice(voidpf opaque, voidpf /*stream*/, const void* buf, uLong size) {
    const qint64 put = deviceOf(opaque)->write(static_cast<const char*>(buf), qint64(size));
    return put < 0 ? 0 : uLong(put);
}

ZPOS64_T tellDevice(voidpf opaque, voidpf /*stream*/) {
    return ZPOS64_T(deviceOf(opaque)->pos());
}

long seekDevice(voidpf opaque, voidpf /*stream*/, ZPOS64_T offset, int origin) {
    QIODevice* device = deviceOf(opaque);
    qint64 target = qint64(offset);
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_CUR:
        target += device->pos();
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        target += device->size();
        break;
    case ZLIB_FILEFUNC_SEEK_SET:
        break;
    default:
        return -1;
    }
    return device->seek(target) ? 0 : -1;
}

int closeDevice(voidpf /*opaque*/, voidpf /*stream*/) {
    return 0;
}

int errorDevice(voidpf /*opaque*/, voidpf /*stream*/) {
    return 0;
}

} // namespace

zlib_filefunc64_def zipFunctionsForDevice(QIODevice* device) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openDevice;
    functions.zread_file = readDevice;
    functions.zwrite_file = writeDevice;
    functions.ztell64_file = tellDevice;
    functions.zseek64_file = seekDevice;
    functions.zclose_file = closeDevice;
    functions.zerror_file = errorDevice;
    functions.opaque = device;
    return functions;
}
