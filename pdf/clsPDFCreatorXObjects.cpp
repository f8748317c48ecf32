// Images and forms of the PDF writer: the external objects pages draw with "Do".
#include "pdf/clsPDFCreator.h"

#include "pdf/PdfBmpReader.h"

#include <stdexcept>

namespace {

std::string Ref(int32_t object) {
    return std::to_string(object) + " 0 R";
}

std::string_view Bytes(const std::vector<uint8_t>& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

} // namespace

bool clsPDFCreator::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                                       int32_t ColorSpace) {
    RequireOutsideStreams("LoadImgFromBMPFile");
    const auto image = PdfBmpReader::ReadFile(FileName, ColorSpace != ColorSpaceRGB);
    if (!image) {
        return false;
    }
    LoadImgFromArray(Name, image->pixels, image->palette, image->width, image->height,
                     image->bitsPerPixel, ColorSpace);
    return true;
}

void clsPDFCreator::LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                                     const std::vector<uint8_t>& palette, int32_t ImgWidth,
                                     int32_t ImgHeight, uint8_t ImgBPP, int32_t ColorSpace) {
    RequireOutsideStreams("LoadImgFromArray");
    // Other depths would give an image without colour space or length.
    if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24) {
        throw std::invalid_argument("LoadImgFromArray: 1, 4, 8 or 24 bits per pixel");
    }
    const std::string colorSpace = ColorSpace == ColorSpaceRGB ? "DeviceRGB" : "DeviceGray";
    const int32_t object = BeginObject(0);
    WriteLine("<<\r/Type /XObject\r/Subtype /Image\r/Name /" + Name + "\r/Width " +
              std::to_string(ImgWidth) + "\r/Height " + std::to_string(ImgHeight) +
              (m_ascii85 ? "\r/Filter /ASCII85Decode" : ""));
    if (ImgBPP == 24) {
        WriteLine("/BitsPerComponent 8\r/ColorSpace /" + colorSpace + "\r/Length " +
                  Ref(object + 1));
    } else {
        WriteLine("/BitsPerComponent " + std::to_string(ImgBPP) + "\r/ColorSpace [/Indexed /" +
                  colorSpace + " " + std::to_string((1 << ImgBPP) - 1) + " " + Ref(object + 2) +
                  "]\r/Length " + Ref(object + 1));
    }
    // Encoded data ends in "~>", which lies outside the declared length.
    std::string encoded;
    std::string_view data = Bytes(ImgBuf);
    if (m_ascii85) {
        encoded = Ascii85Encode(ImgBuf);
        data = encoded;
    }
    // PDF wants CR LF or LF after the keyword "stream", never a bare CR.
    m_out.Write(">>\rstream\r\n");
    m_out.Write(data);
    WriteLine("\rendstream");
    EndObj();
    m_imageResources += "/" + Name + " " + std::to_string(object) + " 0 R \r";

    BeginObject(0);
    WriteLine(std::to_string(m_ascii85 ? data.size() - 2 : data.size()));
    EndObj();

    if (ImgBPP != 24) {
        BeginObject(0);
        std::string lookup = m_ascii85 ? Ascii85Encode(palette) : std::string(Bytes(palette));
        const std::size_t length = m_ascii85 ? lookup.size() - 2 : lookup.size();
        WriteLine(std::string("<<") + (m_ascii85 ? "/Filter /ASCII85Decode\r" : "") + "/Length " +
                  std::to_string(length) + " >>\rstream\r\n" + lookup + "\rendstream");
        EndObj();
    }
}

void clsPDFCreator::DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                            float ImgHeight) {
    // The negative height turns the picture upside down around its top edge:
    // (DestX, DestY) is its top-left corner and the first data row, the bottom
    // row of a BMP file, lands at the bottom.
    Emit("q\r" + Pt(ImgWidth) + " 0 0 " + FormatNumber(-ToPoints(ImgHeight, m_scaleMode), 3) + " " +
         Point(DestX, DestY) + " cm\r/" + Name + " Do\rQ");
}

void clsPDFCreator::StartObject(const std::string& Name, int32_t Options) {
    RequireOutsideStreams("StartObject");
    const int32_t object = BeginObject(0);
    OpenContentStream(OpenStream::Form, "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" +
                                            Name + "\r/BBox [" + Box() +
                                            "]\r/Matrix [1 0 0 1 0 0]\r/Length " + Ref(object + 1) +
                                            " >>");
    m_formResources += "/" + Name + " " + std::to_string(object) + " 0 R \r";
    m_forms.push_back({Name, Options});
}

void clsPDFCreator::EndObject() {
    if (m_stream != OpenStream::Form) {
        throw std::logic_error("EndObject without an open form");
    }
    CloseContentStream();
}

void clsPDFCreator::DrawObject(const std::string& Name) {
    Emit("/" + Name + " Do");
}

void clsPDFCreator::DrawRegisteredForms(int32_t page) {
    const bool even = page % 2 == 0;
    for (const Form& form : m_forms) {
        const bool everyPage = (form.options & FormAllPages) == FormAllPages;
        const bool onThisPage = everyPage || (even && (form.options & FormEvenPages) != 0) ||
                                (!even && (form.options & FormOddPages) != 0);
        const bool firstExcluded = page == 1 && (form.options & FormNotFirstPage) != 0;
        if (onThisPage && !firstExcluded) {
            DrawObject(form.name);
        }
    }
}
