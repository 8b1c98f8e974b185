#pragma once

// Answers the main window's modal questions from queues that a test fills,
// and records what was asked, so no test ever waits on a dialog.

#include "Interaction.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

class ScriptedInteraction : public Interaction {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openNames;
    std::deque<std::optional<QString>> saveNames;
    std::deque<std::optional<NewSize>> sizes;
    std::deque<std::optional<std::uint32_t>> seeds;
    std::deque<std::optional<int>> strengths;

    struct Message {
        MessageKind kind;
        QString text;
    };
    std::vector<QString> questions;
    std::vector<FileDialogSetup> openDialogs;
    std::vector<FileDialogSetup> saveDialogs;
    std::vector<Message> messages;
    struct SizeRequest {
        int width, height, gridSize;
    };
    std::vector<SizeRequest> sizeRequests;
    std::vector<std::uint32_t> seedRequests; // the number each seed dialog showed
    std::vector<int> strengthRequests;       // the strength each strength dialog showed
    // Questions that came without a scripted answer.
    std::vector<QString> unexpected;

    Answer askYesNoCancel(QWidget*, const QString& text) override
    {
        questions.push_back(text);
        if (answers.empty()) {
            unexpected.push_back(QStringLiteral("question: ") + text);
            return Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> askOpenFileName(QWidget*, const FileDialogSetup& setup) override
    {
        openDialogs.push_back(setup);
        return next(openNames, QStringLiteral("open dialog"));
    }
    std::optional<QString> askSaveFileName(QWidget*, const FileDialogSetup& setup) override
    {
        saveDialogs.push_back(setup);
        return next(saveNames, QStringLiteral("save dialog"));
    }
    void showMessage(QWidget*, MessageKind kind, const QString& text) override
    {
        messages.push_back({kind, text});
    }
    std::optional<NewSize> askNewSize(QWidget*, int width, int height, int gridSize) override
    {
        sizeRequests.push_back({width, height, gridSize});
        if (sizes.empty()) {
            unexpected.push_back(QStringLiteral("size dialog"));
            return std::nullopt;
        }
        const auto s = sizes.front();
        sizes.pop_front();
        return s;
    }

    std::optional<std::uint32_t> askSeed(QWidget*, std::uint32_t seed) override
    {
        seedRequests.push_back(seed);
        return next(seeds, QStringLiteral("seed dialog"));
    }

    std::optional<int> askUnderlayStrength(QWidget*, int percent) override
    {
        strengthRequests.push_back(percent);
        return next(strengths, QStringLiteral("strength dialog"));
    }

private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>>& queue, const QString& what)
    {
        if (queue.empty()) {
            unexpected.push_back(what);
            return std::nullopt;
        }
        const auto v = queue.front();
        queue.pop_front();
        return v;
    }
};
