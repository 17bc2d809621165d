#pragma once

// The words of the About and Help windows: fixed texts, the same on every run.

#include <array>
#include <string_view>

namespace brim {

struct AboutWords {
    static constexpr std::string_view kTitle = "About Brimcount";
    static constexpr std::string_view kIconName = "Program icon";
    static constexpr std::string_view kVersionLine = "Brimcount Version 4.31a";
    static constexpr std::string_view kOk = "OK";
};

struct HelpWords {
    static constexpr std::string_view kTitle = "Brimcount Help";
    static constexpr std::string_view kOk = "OK";

    // The help text, one entry a paragraph, blanks at their ends included; a blank line stands
    // between two paragraphs.
    static constexpr std::array<std::string_view, 7> kParagraphs{
        "Note: Capacity is in binary (GiB) gigabytes, which is how your host OS will report "
        "them. ",
        " Start by selecting the Array Model",
        "Define up to 10 RAID Group definitions. You may have multiple instances of each "
        "definition. Choose the disk and RAID type for each definition.Please note that for "
        "Zunda SAS drive, select the corresponding entry for FC (146, 300, 400, 450) or you can "
        "select SATA II drives that are supported. The Number of Disks Per Group may be "
        "restricted by the group type you select.",
        "The groups that contain one or more Vault drives (disks 0-4 for Orlen, 0-3 for Zunda) "
        "can be indicated by placing a check mark in that column. Note that Zunda uses LESS "
        "private space per Vault drive than the Morvik (17.4 GB vs. 32.97 GB) but the Zunda uses "
        "MORE private space per non-vault drive (316 MB vs. 34 MB).",
        "The Group Capacity is the capacity of the group, Total Capacity is for all groups in "
        "that definition.",
        "The RESULTS pane indicates the total disk count and total number of SPEs required based "
        "on the array model's maximum disk count. ",
        "The four Accelerator buttons at the bottom of the disk list can be used to quickly fill "
        "the disk list for a quick setup. If Sticky Changes is set, then any line with a nonzero "
        "# of Groups will not be overwritten. The buttons indicate likely approaches for "
        "provisioning each type of storage they represent, but your design may vary. They are "
        "for your convenience only",
    };
};

} // namespace brim
