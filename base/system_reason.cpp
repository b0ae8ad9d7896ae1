#include "base/system_reason.h"

#include <cerrno>

namespace system_reason {

QString text(int errorNumber)
{
    // The wording of Qt's own Chinese translation where it has one, so the
    // reasons read alike whichever layer reports them.
    switch (errorNumber) {
    case kNotARegularFile:
        return QStringLiteral("不是普通文件");
    case ENOENT:
        return QStringLiteral("此文件或目录不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("权限被拒绝");
    case EISDIR:
        return QStringLiteral("是一个目录");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是目录");
    case EROFS:
        return QStringLiteral("只读文件系统");
    case ENOSPC:
        return QStringLiteral("设备中已没有剩余空间");
    case EDQUOT:
        return QStringLiteral("超出磁盘配额");
    case ELOOP:
        return QStringLiteral("符号链接的层数过多");
    case EMLINK:
        return QStringLiteral("链接过多");
    case EFBIG:
        return QStringLiteral("文件过大");
    case ENAMETOOLONG:
        return QStringLiteral("文件名过长");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("文件正在使用中");
    case EIO:
        return QStringLiteral("输入/输出错误");
    case ENOMEM:
        return QStringLiteral("内存不足");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("没有这个设备");
    default:
        return QStringLiteral("未知错误（错误码 %1）").arg(errorNumber);
    }
}

} // namespace system_reason
