#pragma once

#include "core/common_dialogs.h"

#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

// A CommonDialogs double for tests: answers come from queues filled by the
// test, and every request is recorded. An empty queue answers like a user who
// cancels (or says No), so a test never waits on a human.
class ScriptedDialogs : public CommonDialogs
{
public:
    struct Request {
        QString kind; // "open", "save", "colour", "message", "yesno", "input"
        QString text; // title for file dialogs, text otherwise
        QString title;
        QString folder; // file dialogs: the start folder
        QString filter; // file dialogs: the type list offered
        Icon icon = Icon::None;
        Colour start = NoColour;
        std::array<Colour, 16> customColours{};
        bool full = false;
        QString initial; // text input: the answer offered
    };

    std::deque<QString> fileNames;
    // The type chosen with each file name; the first type when empty.
    std::deque<int> fileTypes;
    std::deque<Colour> colours;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> inputs;
    std::vector<Request> requests;

    FileChoice openFileName(QWidget *, const QString &title, const QString &filter,
                            const QString &folder) override
    {
        return chooseFile(QStringLiteral("open"), title, filter, folder);
    }

    FileChoice saveFileName(QWidget *, const QString &title, const QString &filter,
                            const QString &folder) override
    {
        return chooseFile(QStringLiteral("save"), title, filter, folder);
    }

    Colour chooseColour(QWidget *, Colour start, const std::array<Colour, 16> &custom,
                        bool full) override
    {
        Request &r = add(QStringLiteral("colour"));
        r.start = start;
        r.customColours = custom;
        r.full = full;
        return take(colours, NoColour);
    }

    void message(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        add(QStringLiteral("message"), text, title).icon = icon;
    }

    bool askYesNo(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        add(QStringLiteral("yesno"), text, title).icon = icon;
        return take(answers, false);
    }

    std::optional<QString> inputText(QWidget *, const QString &prompt, const QString &title,
                                     const QString &initial) override
    {
        add(QStringLiteral("input"), prompt, title).initial = initial;
        return take(inputs, std::optional<QString>());
    }

    // The requests of one kind, in order.
    std::vector<Request> of(const QString &kind) const
    {
        std::vector<Request> out;
        for (const Request &r : requests) {
            if (r.kind == kind)
                out.push_back(r);
        }
        return out;
    }

private:
    FileChoice chooseFile(const QString &kind, const QString &title, const QString &filter,
                          const QString &folder)
    {
        Request &r = add(kind, title, title);
        r.folder = folder;
        r.filter = filter;
        const QString path = take(fileNames, QString());
        const int type = take(fileTypes, 0);
        return {path, path.isEmpty() ? 0 : type};
    }

    Request &add(const QString &kind, const QString &text = {}, const QString &title = {})
    {
        Request &r = requests.emplace_back();
        r.kind = kind;
        r.text = text;
        r.title = title;
        return r;
    }

    template <typename T> static T take(std::deque<T> &queue, T fallback)
    {
        if (!queue.empty()) {
            std::swap(fallback, queue.front());
            queue.pop_front();
        }
        return fallback;
    }
};
