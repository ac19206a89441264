#pragma once

#define IDD_REPORT 200
#define IDC_REPORT 201
