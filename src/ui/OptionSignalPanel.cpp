#include "ui/OptionSignalPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vn574::ui {
namespace {

using document::FrameList;

struct FrameInfo {
    FrameList list;
    const char* caption; // the frames' captions are not translated
    const char* name;
};

constexpr std::array<FrameInfo, 5> frameInfos{{
    {FrameList::DtmfMemory, "DTMF", "FrameDTMF"},
    {FrameList::TwoToneMemory, "2 Tone", "Frame2Tone"},
    {FrameList::FiveToneMemory, "5 Tone", "Frame5Tone"},
    {FrameList::DtmfPttId, "DTMF PTT ID", "FrameDTMFPTTID"},
    {FrameList::FiveTonePttId, "5Tone PTT ID", "Frame5TonePTTID"},
}};

} // namespace

OptionSignalPanel::OptionSignalPanel(document::Editor& editor, document::FieldEditors& fields,
                                     QWidget* parent)
    : QWidget(parent), m_editor(editor), m_fields(fields) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < frameInfos.size(); ++i) {
        const FrameInfo& info = frameInfos[i];
        Frame& frame = m_frames[i];
        frame.box = new QGroupBox(QString::fromLatin1(info.caption), this);
        frame.box->setObjectName(QString::fromLatin1(info.name));
        frame.list = new QComboBox(frame.box);
        frame.list->setMinimumContentsLength(6);
        for (const std::string_view entry : document::FieldEditors::frameEntries(info.list)) {
            frame.list->addItem(
                QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
        }
        auto* inner = new QVBoxLayout(frame.box);
        inner->addWidget(frame.list);
        layout->addWidget(frame.box);
        connect(frame.list, &QComboBox::activated, this, [this, list = info.list](int position) {
            m_fields.framePicked(list, position);
            m_editor.recordStep(
                m_editor.cellStepName(m_editor.currentRow(), document::colOptSignal));
        });
    }
    layout->addStretch(1);
    refresh();
}

QGroupBox* OptionSignalPanel::frame(FrameList list) const {
    return m_frames[static_cast<std::size_t>(list)].box;
}

QComboBox* OptionSignalPanel::list(FrameList list) const {
    return m_frames[static_cast<std::size_t>(list)].list;
}

void OptionSignalPanel::refresh() {
    const document::OptionSignalFrames& state = m_editor.frames();
    const auto show = [this](FrameList which, bool visible, int position) {
        const Frame& frame = m_frames[static_cast<std::size_t>(which)];
        const QSignalBlocker blocker(frame.list);
        frame.list->setCurrentIndex(position);
        frame.box->setVisible(visible);
    };
    show(FrameList::DtmfMemory, state.dtmfVisible, state.dtmfMemory);
    show(FrameList::TwoToneMemory, state.twoToneVisible, state.twoToneMemory);
    show(FrameList::FiveToneMemory, state.fiveToneVisible, state.fiveToneMemory);
    show(FrameList::DtmfPttId, state.dtmfPttIdVisible, state.dtmfPttId);
    show(FrameList::FiveTonePttId, state.fiveTonePttIdVisible, state.fiveTonePttId);
    setVisible(state.anyVisible());
}

} // namespace vn574::ui
