// The invisible windows that run a page's web transfers: each frame they poll the HTTP service, keep the status
// text the page shows and, once the transfer has ended, fire exactly one outcome. A transfer the service refuses
// (another one runs) fails at the next frame. A worker whose page closes, or that goes, while its transfer runs
// cancels it and fires nothing from then on.
#pragma once
#include <memory>

#include "foundation/CFile.h"
#include "foundation/CString.h"
#include "ui/CallbackBinder.h"
#include "ui/JWindow.h"

class HttpService;

class WebWorker : public CJWindow {
public:
    explicit WebWorker(CJWindow* themeSource);

    void Update(float elapsed) override;
    void RequestClose() override;

    const CString& GetStatusText() const { return m_statusText; }
    void SetStatusBinder(std::unique_ptr<CallbackBinder> binder) { m_status = std::move(binder); }
    // No transfer of this worker runs or waits to fail.
    bool IsFinished() const { return m_finished; }

protected:
    // The transfer has begun when the service took it (true); a refused one fails at the next update (false).
    bool Begin(bool accepted);
    // Fires the binder, when there is one, unless the page has closed; false once it has (nothing more fires).
    bool FireWhileOpen(const std::unique_ptr<CallbackBinder>& binder);
    // Cancels a running transfer and drops what it wrote; the destructors of the workers call it.
    void Abandon();

    // Each frame of a running transfer.
    virtual void ShowProgress(HttpService& service) = 0;
    // Once, when the transfer has ended: true when the service reports success.
    virtual void End(bool succeeded) = 0;
    // The transfer was cancelled: what it wrote goes.
    virtual void Discard() = 0;

    CString m_statusText;
    std::unique_ptr<CallbackBinder> m_status;

private:
    void Finish(bool succeeded);

    bool m_finished = true;
    bool m_running = false;
    bool m_closed = false;
};

// Downloads a URL into "<destination>.part" and gives it the destination's name once it has all arrived. The
// destination is a path under the library's folder: an absolute one, or one with a ".." step, is refused.
class WebDownloadWorker : public WebWorker {
public:
    explicit WebDownloadWorker(CJWindow* themeSource);
    ~WebDownloadWorker() override;

    void SetSucceededBinder(std::unique_ptr<CallbackBinder> binder) { m_succeeded = std::move(binder); }
    void SetFailedBinder(std::unique_ptr<CallbackBinder> binder) { m_failed = std::move(binder); }
    // Fired once for each whole percent the download moves on.
    void SetTickBinder(std::unique_ptr<CallbackBinder> binder) { m_tick = std::move(binder); }

    // False, with nothing started, while a download of this worker runs or when the destination is refused or
    // cannot be made; false too when the service refuses the start.
    bool Start(const CString& url, const CString& destination);

    // A destination the download may write: a relative path without "..".
    static bool IsAllowedDestination(const CString& destination);

private:
    void ShowProgress(HttpService& service) override;
    void End(bool succeeded) override;
    void Discard() override;
    CString PartPath() const;

    std::unique_ptr<CallbackBinder> m_succeeded;
    std::unique_ptr<CallbackBinder> m_failed;
    std::unique_ptr<CallbackBinder> m_tick;
    CFile m_file;
    CString m_destination;
    float m_lastPercentage = 0;
};

// Posts a form string and reads the server's reply (WebPostReply.h) from memory.
class WebPostWorker : public WebWorker {
public:
    explicit WebPostWorker(CJWindow* themeSource);
    ~WebPostWorker() override;

    void SetSucceededBinder(std::unique_ptr<CallbackBinder> binder) { m_succeeded = std::move(binder); }
    void SetRejectedBinder(std::unique_ptr<CallbackBinder> binder) { m_rejected = std::move(binder); }
    void SetFailedBinder(std::unique_ptr<CallbackBinder> binder) { m_failed = std::move(binder); }
    void SetRepostMessageBinder(std::unique_ptr<CallbackBinder> binder) { m_repostMessage = std::move(binder); }

    // False while a post of this worker runs, or when the service refuses the start.
    bool Start(const CString& server, int port, bool secure, const CString& path, const CString& formData);

    const CString& GetRejectText() const { return m_rejectText; }
    const CString& GetRepostMessageText() const { return m_repostMessageText; }

private:
    void ShowProgress(HttpService& service) override;
    void End(bool succeeded) override;
    void Discard() override;

    std::unique_ptr<CallbackBinder> m_succeeded;
    std::unique_ptr<CallbackBinder> m_rejected;
    std::unique_ptr<CallbackBinder> m_failed;
    std::unique_ptr<CallbackBinder> m_repostMessage;
    CFile m_response;
    CString m_rejectText;
    CString m_repostMessageText;
};
