#include "OutputFile.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
	std::string FolderOf(const std::string& Path)
	{
		const size_t Slash = Path.find_last_of('/');
		if (Slash == std::string::npos)
		{
			return ".";
		}
		return Slash == 0 ? std::string("/") : Path.substr(0, Slash);
	}

	bool Fail(std::string& OutError, const std::string& TempPath, int Fd)
	{
		OutError = std::strerror(errno);
		if (Fd >= 0)
		{
			close(Fd);
		}
		if (!TempPath.empty())
		{
			unlink(TempPath.c_str());
		}
		return false;
	}
}

bool WriteFileAtomically(const std::string& Path, std::string_view Bytes, std::string& OutError)
{
	if (Path.empty())
	{
		OutError = "the path is empty";
		return false;
	}
	struct stat Existing;
	if (stat(Path.c_str(), &Existing) == 0 && S_ISDIR(Existing.st_mode))
	{
		OutError = "it is a directory";
		return false;
	}
	// mkstemp in the target's own folder: rename() is atomic only within one file system.
	std::string TempPath = FolderOf(Path) + "/.lumarch-XXXXXX";
	const int Fd = mkstemp(TempPath.data());
	if (Fd < 0)
	{
		return Fail(OutError, std::string(), -1);
	}
	size_t Written = 0;
	while (Written < Bytes.size())
	{
		const ssize_t Count = write(Fd, Bytes.data() + Written, Bytes.size() - Written);
		if (Count < 0)
		{
			if (errno == EINTR)
			{
				continue;
			}
			return Fail(OutError, TempPath, Fd);
		}
		Written += static_cast<size_t>(Count);
	}
	// mkstemp creates 0600; a written file gets the usual permissions the user's umask allows.
	const mode_t Umask = umask(0);
	umask(Umask);
	if (fchmod(Fd, 0666 & ~Umask) != 0 || fsync(Fd) != 0)
	{
		return Fail(OutError, TempPath, Fd);
	}
	if (close(Fd) != 0)
	{
		return Fail(OutError, TempPath, -1);
	}
	if (std::rename(TempPath.c_str(), Path.c_str()) != 0)
	{
		return Fail(OutError, TempPath, -1);
	}
	return true;
}
