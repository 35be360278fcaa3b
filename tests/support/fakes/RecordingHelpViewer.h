#pragma once

#include "platform/help/HelpViewer.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace help
{

// Records every help call; answers with `result`.
class RecordingHelpViewer : public HelpViewer
{
public:
    struct Call {
        QPointer<QWidget> owner;
        QString file;
        int32_t command = 0;
        int32_t data = 0;
    };
    std::vector<Call> calls;
    bool result = true;
    bool open(QWidget *owner, const QString &file, int32_t command, int32_t data) override;
};

} // namespace help
