#include "common/file_io.h"

#include "common/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo {

Result<std::string> readFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Opened without blocking, so that a named pipe with no writer cannot
    // hold the caller; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(ErrorCode::ReadFailed, std::string(messages::kNotAFile));
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
    if (!file) {
        ::close(fd);
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    }
    std::string content;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, count);
        if (content.size() > maxBytes)
            return fail(ErrorCode::TooLong, messages::fileTooLarge(maxBytes));
    }
    if (std::ferror(file.get()) != 0)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    return content;
}

std::string systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "Fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "Permission refusée";
    case ENOSPC:
        return "Plus de place sur le disque";
    case EDQUOT:
        return "Quota de disque dépassé";
    case EFBIG:
        return "Fichier trop grand";
    case EISDIR:
        return "C'est un dossier";
    case ENOTDIR:
        return "Un élément du chemin n'est pas un dossier";
    case EROFS:
        return "Système de fichiers en lecture seule";
    case EIO:
        return "Erreur d'entrée-sortie";
    case EEXIST:
        return "Le fichier existe déjà";
    case ENAMETOOLONG:
        return "Nom de fichier trop long";
    case EMFILE:
    case ENFILE:
        return "Trop de fichiers ouverts";
    case EBUSY:
    case ETXTBSY:
        return "Fichier occupé";
    case ELOOP:
        return "Trop de liens symboliques";
    case ENXIO:
    case ENODEV:
        return "Périphérique absent";
    case ESPIPE:
        return "Ce fichier ne permet pas de revenir en arrière";
    case EPIPE:
        return "Le lecteur du tube s'est arrêté";
    case ENOMEM:
        return "Mémoire insuffisante";
    case EINVAL:
        return "Argument invalide";
    case EXDEV:
        return "Lien entre deux systèmes de fichiers impossible";
    default:
        return std::strerror(errorNumber);
    }
}

std::string systemErrorText(const std::error_code& error)
{
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return systemErrorText(error.value());
    return error.message();
}

} // namespace brivo
