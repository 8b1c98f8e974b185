#pragma once

#include <QSessionManager>

// What the window needs of the session manager's request to save before the
// session ends. The program hands over Qt's QSessionManager (which nothing
// but Qt can make); tests hand over their own.
class SessionEndRequest {
public:
    virtual ~SessionEndRequest() = default;
    // Whether the user may be asked; may wait for the session manager.
    virtual bool allowsInteraction() = 0;
    // The question is over: other programs may ask theirs.
    virtual void release() = 0;
    // The user wants the session to go on.
    virtual void cancel() = 0;
};

class QtSessionEnd final : public SessionEndRequest {
public:
    explicit QtSessionEnd(QSessionManager& manager)
        : manager_(manager)
    {
    }
    bool allowsInteraction() override { return manager_.allowsInteraction(); }
    void release() override { manager_.release(); }
    void cancel() override { manager_.cancel(); }

private:
    QSessionManager& manager_;
};
