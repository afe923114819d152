// Wine PostScript printers writing files, and reading what they wrote.
#include "pdf_printer.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "lumora_process.h"
#include "test_paths.h"

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[2048];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
    return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

// Windows path of the job folder.
const std::wstring& JobsDir()
{
    static const std::wstring dir = Environment(L"LUMORA_PRINT_JOBS");
    return dir;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out.push_back(static_cast<char>(c));
    return out;
}

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), out.data(), n);
    return out;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A minimal PPD: A4 and Letter on the whole sheet at one resolution.
std::string Ppd(int dpi)
{
    std::ostringstream p;
    p << "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
      << "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
      << "*PCFileName: \"LUMORA" << dpi << ".PPD\"\n*Manufacturer: \"Lumora\"\n"
      << "*Product: \"(Lumora PDF)\"\n*ModelName: \"Lumora PDF " << dpi << "\"\n"
      << "*NickName: \"Lumora PDF " << dpi << "\"\n*PSVersion: \"(3010.000) 0\"\n"
      << "*LanguageLevel: \"3\"\n*ColorDevice: False\n*DefaultColorSpace: Gray\n"
      << "*TTRasterizer: Type42\n*DefaultResolution: " << dpi << "dpi\n"
      << "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
      << "*PageSize A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
      << "*PageSize Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
      << "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: A4\n"
      << "*PageRegion A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
      << "*PageRegion Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
      << "*DefaultImageableArea: A4\n*ImageableArea A4: \"0 0 595 842\"\n"
      << "*ImageableArea Letter: \"0 0 612 792\"\n"
      << "*DefaultPaperDimension: A4\n*PaperDimension A4: \"595 842\"\n"
      << "*PaperDimension Letter: \"612 792\"\n";
    return p.str();
}

bool PrinterExists(const std::wstring& name)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return false;
    ClosePrinter(printer);
    return true;
}

bool InstallPrinter(int dpi)
{
    const std::wstring port = Environment(L"LUMORA_PRINT_PORT");
    if (JobsDir().empty() || port.empty()) return false;
    // The driver reads its PPD from the printer driver folder.
    wchar_t driverDir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverDir),
                                    sizeof driverDir, &needed))
        return false;
    CreateDirectoryW(driverDir, nullptr);
    const std::wstring ppd = std::wstring(driverDir) + L"\\lumora" + std::to_wstring(dpi) + L".ppd";
    {
        std::ofstream out(ppd.c_str(), std::ios::binary);
        out << Ppd(dpi);
    }
    std::wstring name = PrinterName(dpi);
    std::wstring driverPath = L"wineps.drv";
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = name.data();
    driver.pDriverPath = driverPath.data();
    driver.pDataFile = const_cast<wchar_t*>(ppd.c_str());
    driver.pConfigFile = driverPath.data();
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), 0))
        return false;
    std::wstring processor = L"winprint", datatype = L"RAW";
    PRINTER_INFO_2W info = {};
    info.pPrinterName = name.data();
    info.pPortName = const_cast<wchar_t*>(port.c_str());
    info.pDriverName = name.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = datatype.data();
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

std::wstring JobPath(const std::wstring& base, const wchar_t* suffix)
{
    return JobsDir() + L"\\" + base + suffix;
}

// The job's page pictures, in page order: pdftoppm numbers them with as
// many digits as the last page needs.
std::vector<std::wstring> PageFiles(const std::wstring& base)
{
    std::vector<std::pair<int, std::wstring>> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(JobPath(base, L"-*.pgm").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        const std::wstring file = data.cFileName;
        const size_t dash = file.rfind(L'-');
        found.emplace_back(_wtoi(file.c_str() + dash + 1), JobsDir() + L"\\" + file);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(found.begin(), found.end());
    std::vector<std::wstring> files;
    for (auto& f : found) files.push_back(f.second);
    return files;
}

PagePicture ReadPgm(const std::wstring& path)
{
    PagePicture page;
    const std::string bytes = ReadFileBytes(path);
    std::istringstream header(bytes);
    std::string magic;
    int maxValue = 0;
    header >> magic >> page.width >> page.height >> maxValue;
    if (magic != "P5" || maxValue != 255 || page.width <= 0 || page.height <= 0) return {};
    const size_t start = size_t(header.tellg()) + 1;
    const size_t size = size_t(page.width) * page.height;
    if (bytes.size() < start + size) return {};
    page.grey.assign(bytes.begin() + start, bytes.begin() + start + size);
    return page;
}

}  // namespace

std::wstring PrinterName(int dpi)
{
    return L"Lumora PDF " + std::to_wstring(dpi);
}

bool UsePdfPrinter(int dpi)
{
    const std::wstring name = PrinterName(dpi);
    if (!PrinterExists(name) && !InstallPrinter(dpi)) return false;
    return SetDefaultPrinterW(name.c_str());
}

bool RemoveAllPrinters()
{
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed) {
        std::vector<BYTE> buffer(needed);
        if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
            auto* infos = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
            for (DWORD i = 0; i < count; ++i) {
                PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
                HANDLE printer = nullptr;
                if (OpenPrinterW(infos[i].pPrinterName, &printer, &access)) {
                    DeletePrinter(printer);
                    ClosePrinter(printer);
                }
            }
        }
    }
    needed = count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    return needed == 0;
}

PrinterCaps CapsOf(int dpi)
{
    PrinterCaps caps;
    HDC device = CreateICW(nullptr, PrinterName(dpi).c_str(), nullptr, nullptr);
    if (!device) return caps;
    caps = {GetDeviceCaps(device, LOGPIXELSX), GetDeviceCaps(device, LOGPIXELSY),
            GetDeviceCaps(device, HORZRES), GetDeviceCaps(device, VERTRES)};
    DeleteDC(device);
    return caps;
}

void ExpectJob(const std::wstring& base, int renderDpi)
{
    for (const wchar_t* suffix : {L".ps", L".pdf", L".txt", L".done"})
        DeleteFileW(JobPath(base, suffix).c_str());
    for (const std::wstring& page : PageFiles(base)) DeleteFileW(page.c_str());
    std::ofstream next((JobsDir() + L"\\next").c_str(), std::ios::binary);
    next << Narrow(base) << " " << renderDpi << "\n";
}

bool WaitForJob(const std::wstring& base, DWORD timeoutMs)
{
    const std::wstring done = JobPath(base, L".done");
    return PollUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     timeoutMs);
}

bool JobStarted(const std::wstring& base)
{
    return GetFileAttributesW(JobPath(base, L".ps").c_str()) != INVALID_FILE_ATTRIBUTES;
}

PrintedJob ReadJob(const std::wstring& base)
{
    PrintedJob job;
    for (const std::wstring& file : PageFiles(base)) job.pages.push_back(ReadPgm(file));
    const std::wstring text = FromUtf8(ReadFileBytes(JobPath(base, L".txt")));
    // pdftotext ends every page with a form feed.
    size_t start = 0;
    for (size_t feed; (feed = text.find(L'\f', start)) != std::wstring::npos; start = feed + 1)
        job.pageTexts.push_back(text.substr(start, feed - start));
    job.postScript = ReadFileBytes(JobPath(base, L".ps"));
    return job;
}

void KeepPage(const std::wstring& base, int page, const wchar_t* name)
{
    if (ScreensDirPath().empty()) return;
    const std::vector<std::wstring> files = PageFiles(base);
    if (page < 1 || size_t(page) > files.size()) return;
    CopyFileW(files[size_t(page) - 1].c_str(), (ScreensDirPath() + L"\\" + name + L".pgm").c_str(), FALSE);
}
