#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace voltaryn {

// The main window's toolbar dispatch: one handler per button key ("Save", "Open", ...). Each
// feature registers the keys it serves; a key with no handler does nothing.
class ToolbarCommands {
public:
    using Handler = std::function<void()>;

    void Add(const QString& key, Handler handler) { handlers_[key] = std::move(handler); }

    void Run(const QString& key) const
    {
        if (const auto handler = handlers_.constFind(key); handler != handlers_.constEnd())
            (*handler)();
    }

private:
    QHash<QString, Handler> handlers_;
};

} // namespace voltaryn
