# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in any build tree (scripts/package builds one with Debian's
# hardening flags first). The package installs under /usr whatever the tree was configured for:
# tavlo finds its helpers relative to itself and the desktop entry is written at install time.
# Run-time libraries come from dpkg-shlibdeps on the installed programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VENDOR "The Tavlo developers")
set(CPACK_PACKAGE_CONTACT "${TAVLO_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TAVLO_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "network speed in the panel and a dashboard of the system")
# The long description under the synopsis; CPack indents it and marks the blank line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavlo puts the machine's upload and download speed in the desktop's panel, on
two small lines refreshed every second. A click on it opens a dashboard with
the computer's name, the operating system, the processor, display and memory,
live memory, CPU and disk usage, the network connection and the battery.

It works with the panels of KDE Plasma, Xfce, Cinnamon, LXQt and MATE, with
GNOME's AppIndicator extension, and with plain system trays. It speaks
English, Simplified and Traditional Chinese, Japanese, Malay and German,
follows the desktop's light or dark style and can start at login. Showing
the public IP address is off unless the user turns it on.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# UPower gives the battery's remaining times, the portal the desktop's dark or light choice,
# qt6-wayland a native window on Wayland. GNOME has no tray of its own and needs the
# AppIndicator extension; the other alternatives are desktops whose panels already host the
# item, so on those nothing more is pulled in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "upower, xdg-desktop-portal, qt6-wayland, gnome-shell-extension-appindicator | plasma-workspace | xfce4-panel | mate-panel | cinnamon | lxqt-panel | budgie-desktop")
# Everything but the licence's full text, which Debian keeps in /usr/share/common-licenses.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified)
# The staged tree has the real prefix, so the desktop entry's Exec= names /usr/bin/tavlo.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
