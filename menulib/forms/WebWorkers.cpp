#include "forms/WebWorkers.h"

#include <algorithm>
#include <cstdio>

#include "forms/HttpService.h"
#include "forms/WebPostReply.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileState.h"
#include "platform/files.h"

// ---- Every worker

WebWorker::WebWorker(CJWindow* themeSource) : CJWindow(themeSource, "") {}

void WebWorker::Update(float elapsed)
{
    if (!m_finished && !m_closed) {
        HttpService& service = *GetHttpService();
        if (!m_running)
            Finish(false);
        else if (service.Poll())
            Finish(service.LastResult());
        else
            ShowProgress(service);
    }
    CJWindow::Update(elapsed);
}

void WebWorker::RequestClose()
{
    Abandon();
    CJWindow::RequestClose();
}

bool WebWorker::Begin(bool accepted)
{
    m_finished = false;
    m_running = accepted;
    return accepted;
}

bool WebWorker::FireWhileOpen(const std::unique_ptr<CallbackBinder>& binder)
{
    if (!m_closed && binder) binder->Fire();
    return !m_closed;
}

void WebWorker::Finish(bool succeeded)
{
    m_finished = true;
    m_running = false;
    End(succeeded);
}

void WebWorker::Abandon()
{
    m_closed = true;
    if (m_finished) return;
    m_finished = true;
    if (m_running) GetHttpService()->Cancel();
    m_running = false;
    Discard();
}

// ---- Downloads

namespace {

bool RenameDiskFile(const CString& from, const CString& to)
{
    const std::string source = platform::ResolvePath(DiskPath(from.GetText(), 0).GetText());
    const std::string target = platform::ResolvePath(DiskPath(to.GetText(), 0).GetText());
    return std::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace

WebDownloadWorker::WebDownloadWorker(CJWindow* themeSource) : WebWorker(themeSource) {}

WebDownloadWorker::~WebDownloadWorker() { Abandon(); }

bool WebDownloadWorker::IsAllowedDestination(const CString& destination)
{
    const std::string path = destination.GetText();
    if (path.empty() || path[0] == '/' || path[0] == '\\' || IsAbsolutePath(path.c_str())) return false;
    if (path.size() > 1 && path[1] == ':') return false;  // a drive
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("/\\", start), path.size());
        if (path.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

CString WebDownloadWorker::PartPath() const
{
    CString part(m_destination);
    part.Append(CString(".part"));
    return part;
}

bool WebDownloadWorker::Start(const CString& url, const CString& destination)
{
    if (!IsFinished() || !IsAllowedDestination(destination)) return false;
    m_destination = destination;
    m_lastPercentage = 0;
    if (!m_file.Open(PartPath().GetText(), kFileWrite | kFileCreate | kFileMakeFolders)) return false;
    return Begin(GetHttpService()->StartGet(url.GetText(), &m_file, true, nullptr));
}

void WebDownloadWorker::ShowProgress(HttpService& service)
{
    float percentage = 0;
    const std::int32_t length = service.GetContentLength();
    if (length > 0) percentage = static_cast<float>(service.GetBytesReceived()) / static_cast<float>(length) * 100.0f;
    int ticks = static_cast<int>(percentage) - static_cast<int>(m_lastPercentage);
    m_lastPercentage = percentage;
    for (; ticks > 0; --ticks)
        if (!FireWhileOpen(m_tick)) return;
    service.StatusText(m_statusText);
    m_statusText.AppendFormat(" %4f", percentage);
    FireWhileOpen(m_status);
}

void WebDownloadWorker::End(bool succeeded)
{
    const bool closed = m_file.Close();
    succeeded = succeeded && closed && RenameDiskFile(PartPath(), m_destination);
    if (!succeeded) DeleteDiskFile(PartPath().GetText());
    FireWhileOpen(succeeded ? m_succeeded : m_failed);
}

void WebDownloadWorker::Discard()
{
    m_file.Close();
    DeleteDiskFile(PartPath().GetText());
}

// ---- Posts

WebPostWorker::WebPostWorker(CJWindow* themeSource) : WebWorker(themeSource) {}

WebPostWorker::~WebPostWorker() { Abandon(); }

bool WebPostWorker::Start(const CString& server, int port, bool secure, const CString& path, const CString& formData)
{
    if (!IsFinished()) return false;
    m_response.Close();
    m_response.Attach(new CMemoryFileBuf, kFileWrite);
    return Begin(
        GetHttpService()->StartPost(server.GetText(), port, secure, path.GetText(), formData, &m_response, nullptr));
}

void WebPostWorker::ShowProgress(HttpService& service)
{
    // A reply too long to be one is not read on.
    if (m_response.GetSize() > static_cast<int>(kMaxWebPostReply)) service.Cancel();
    service.StatusText(m_statusText);
    FireWhileOpen(m_status);
}

void WebPostWorker::End(bool succeeded)
{
    WebPostReply reply;
    if (auto* memory = static_cast<CMemoryFileBuf*>(m_response.GetStream()); succeeded && memory) {
        reply = ReadWebPostReply(reinterpret_cast<const char*>(memory->GetData()),
                                 static_cast<std::size_t>(memory->Size()));
    }
    m_response.Close();
    if (!reply.repostMessage.empty()) {
        m_repostMessageText = reply.repostMessage.c_str();
        if (!FireWhileOpen(m_repostMessage)) return;
    }
    switch (reply.kind) {
    case WebPostReply::Kind::Accepted: FireWhileOpen(m_succeeded); return;
    case WebPostReply::Kind::Rejected:
        m_rejectText = reply.reason.c_str();
        FireWhileOpen(m_rejected);
        return;
    case WebPostReply::Kind::Failed: FireWhileOpen(m_failed); return;
    }
}

void WebPostWorker::Discard() { m_response.Close(); }
